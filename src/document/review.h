#pragma once
// Reviewing a loaded configuration against the module: every parameter whose value (or
// owner) in the document differs from the module's is listed, and exactly the ones the
// person picks are written. Both steps are tasks of the document and so run under its
// wait dialog: the comparison is the document's Compare, the write its Write changes
// with only the picked parameters marked as changed.

#include <cstddef>
#include <string>
#include <vector>

namespace vantor {

class CPlimoDoc;
class Parameter;

struct ReviewRow {
    Parameter* parameter = nullptr;  // in the document's tree
    std::string path;                // titles of the branches below the root, " / " between
    std::string label;               // name, or name:index for an indexed parameter
    std::string fileValue;
    std::string moduleValue;
    // The file holds a value the module lets the person write; the others are listed
    // but cannot be selected.
    bool writable = false;
    bool selected = false;
    // After a write: the module took the file's value, or why it did not.
    bool written = false;
    std::string error;
};

// Writes exactly `parameters` of the document's tree, under the wait dialog, and
// leaves every change mark of the tree as it was. Afterwards each parameter's error
// text tells its outcome: empty when the module took it. False when the task did not
// run.
bool WriteOnly(CPlimoDoc& document, const std::vector<Parameter*>& parameters);

class ModuleReview {
public:
    explicit ModuleReview(CPlimoDoc& document) : document_(document) {}

    // Compares the whole tree with the module; the rows replace the earlier ones, every
    // writable one selected. False (after the document's message) when it did not run.
    bool Compare();
    const std::vector<ReviewRow>& rows() const { return rows_; }
    // Read-only rows stay unselected.
    void select(std::size_t row, bool selected);
    std::size_t selectedCount() const;
    // Writes the selected rows and nothing else, then gives the other parameters their
    // change marks back. A written row is no longer selectable; a failed one keeps its
    // selection and gets the module's reason. False when nothing was selected or the
    // task did not run.
    bool WriteSelected();

private:
    CPlimoDoc& document_;
    std::vector<ReviewRow> rows_;
};

}  // namespace vantor
