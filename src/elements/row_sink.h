#pragma once
// The rows an element tree inserts into the parameter view, as data: the tree-list
// widget (or a test, or a text dump) receives them through this interface and only
// renders them.

#include <string>

namespace vantor {

class ObjectWithParameters;
class Parameter;

using RowId = int;
constexpr RowId kTopRow = -1;  // the parent of top-level rows

enum class RowKind {
    Element,       // a branch or other element; `element` set
    Parameter,     // `parameter` set; the view takes its columns from the parameter
    Decoding,      // one decoded field of `parameter` ("CodP", "r.cn", "s.do", status)
    ActuatorType,  // the fixed type row of an actuator control block
};

struct RowEntry {
    RowKind kind = RowKind::Element;
    std::string text;   // column 0: element name, parameter description, decoding label
    std::string value;  // the value column where the row has a fixed or decoded value
    int image = 0;
    int selectedImage = 0;
    ObjectWithParameters* element = nullptr;
    Parameter* parameter = nullptr;
    int decodingRow = -1;      // 0, 1, ... for decoding rows
    bool showIndexes = false;  // for element and parameter rows
};

class RowSink {
public:
    virtual ~RowSink() = default;
    // Appends a row as the last child of `parent`; returns the new row's id.
    virtual RowId addRow(RowId parent, const RowEntry& row) = 0;
};

}  // namespace vantor
