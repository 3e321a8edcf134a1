#pragma once
// What an edit in the parameter view may do: which cells open which editor, the
// choices of a drop-down, and the checks and consequences of a committed text (the
// network combination checks, the parameter's own validation, the instant write, the
// period and the immediate write of a sampled parameter). Both writes go to the module
// among the window's link jobs; their outcome shows when they are back.

#include <functional>
#include <string>
#include <vector>

#include "view/parameter_rows.h"

namespace vantor {
class CPlimoDoc;
class UserInterface;
}  // namespace vantor

namespace vantor::gui {

class LinkJobs;

class RowEditing {
public:
    RowEditing(CPlimoDoc& document, UserInterface& ui, LinkJobs& jobs) : document_(document), ui_(ui), jobs_(jobs) {}

    ValueEditor editorFor(const RowNode& row, int column) const;
    // The drop-down's entries: the current text first, then the type's choices.
    std::vector<std::string> choices(const RowNode& row, const std::string& current) const;
    // Said before an editor opens on the value of a parameter that is being sampled.
    void warnBeforeEdit(const RowNode& row, int column) const;
    // The text left in a cell. False when the cell keeps (or gets back) its old text.
    bool commit(RowNode& row, int column, const std::string& oldText, const std::string& newText);

    // Told about every parameter whose row shows something new after a commit.
    std::function<void(const Parameter&)> parameterChanged;

private:
    bool commitValue(RowNode& row, Parameter& parameter, const std::string& text);
    bool commitPeriod(RowNode& row, Parameter& parameter, const std::string& text);
    bool commitSampledValue(RowNode& row, Parameter& parameter, const std::string& text);
    bool passesNetworkChecks(const RowNode& row, const Parameter& parameter, const std::string& text) const;
    void instantWrite(Parameter& parameter);
    void error(const std::string& text, const std::string& caption) const;

    CPlimoDoc& document_;
    UserInterface& ui_;
    LinkJobs& jobs_;
};

}  // namespace vantor::gui
