#pragma once
// The rows of the parameter view as a tree of nodes: each node keeps what the core
// said about the row when the tree was inserted (its RowEntry) and, for sampled
// parameters, the last reading. The nodes only point at the document's objects.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "elements/row_sink.h"

namespace vantor::gui {

enum class RowRole {
    Root,         // "Configuration"
    Placeholder,  // the device branch when there is no tree
    Header,       // the column titles of the sampled rows
    Tree,         // a row the core inserted
};

// What the sampling thread last delivered for a row (or a decoded field of it).
struct SampledCells {
    std::string period;  // the period cell as typed
    std::string value;
    std::string error;
    bool received = false;
};

struct RowNode {
    RowRole role = RowRole::Tree;
    RowEntry entry;
    RowNode* parent = nullptr;
    int row = 0;  // position among the parent's children
    std::vector<std::unique_ptr<RowNode>> children;
    SampledCells sampled;
    bool sampledParameter = false;  // a parameter row of the scanners branch
    bool inScanners = false;        // the scanners branch row or below it
    bool errorBelow = false;        // a parameter below has an exchange error

    RowNode* addChild(std::unique_ptr<RowNode> child);
    Parameter* parameter() const { return entry.kind == RowKind::Parameter ? entry.parameter : nullptr; }
    ObjectWithParameters* element() const { return entry.kind == RowKind::Element ? entry.element : nullptr; }
};

// Row colours as the core gives them (0x00BBGGRR).
struct RowColour {
    static constexpr std::uint32_t kNormal = 0x000000;
    static constexpr std::uint32_t kError = 0x0000FF;
};

// The parameter rows' images that make a cell editable.
enum class ValueEditor { None, EditBox, DropDown };
ValueEditor EditorForImage(int image);

}  // namespace vantor::gui
