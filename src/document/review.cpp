#include "document/review.h"

#include <functional>
#include <map>
#include <utility>

#include "document/configuration_document.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor {

namespace {

// What the comparison read from the module for one differing parameter.
struct ModuleSide {
    std::string value;
    bool manufacturerOwned = false;
    bool readOnly = false;  // the module's attributes say so
};

using Visit = std::function<void(Parameter&, const std::string& path)>;

void walk(const DescBranch& branch, const std::string& path, const Visit& visit) {
    branch.ForEachMember([&](Parameter& p) { visit(p, path); },
                         [&](DescBranch& b) { walk(b, path.empty() ? b.name() : path + " / " + b.name(), visit); });
}

void forEachParameter(const DescBranch& root, const Visit& visit) { walk(root, "", visit); }

std::string labelOf(const Parameter& p) { return p.indexed ? p.name + ":" + std::to_string(p.dataIndex) : p.name; }

std::string ownerWord(bool manufacturerOwned) { return Text(manufacturerOwned ? "IDS_STRING158" : "IDS_STRING159"); }

ReviewRow rowOf(Parameter& p, const std::string& path, const ModuleSide& module) {
    ReviewRow row;
    row.parameter = &p;
    row.path = path;
    row.label = labelOf(p);
    row.fileValue = p.valueText;
    row.moduleValue = module.value;
    // Equal values differ in their owner then: the owner shows which side is which.
    if (static_cast<bool>(p.manufacturerOwned) != module.manufacturerOwned) {
        row.fileValue += " (" + ownerWord(p.manufacturerOwned) + ")";
        row.moduleValue += " (" + ownerWord(module.manufacturerOwned) + ")";
    }
    row.writable = p.userEditable && !module.readOnly && p.valueText != Text("IDS_NODATA");
    row.selected = row.writable;
    return row;
}

// The three change marks of a parameter, kept while a write runs over other marks.
struct Marks {
    std::uint8_t value, editable, owner;
};

Marks takeMarks(Parameter& p) {
    const Marks marks{p.valueChanged, p.editableChanged, p.ownerChanged};
    p.valueChanged = p.editableChanged = p.ownerChanged = 0;
    return marks;
}

void giveMarks(Parameter& p, const Marks& marks) {
    p.valueChanged = marks.value;
    p.editableChanged = marks.editable;
    p.ownerChanged = marks.owner;
}

}  // namespace

bool ModuleReview::Compare() {
    rows_.clear();
    std::map<const Parameter*, ModuleSide> differences;
    // The document's own handler still gets every difference: the discrepancy notes
    // stay as a plain comparison leaves them; the list is the report.
    Device& device = document_.device();
    auto documentHandler = std::move(device.onDifference);
    device.onDifference = [&](Parameter& configured, const Parameter& module) {
        differences[&configured] = {module.valueText, module.manufacturerOwned != 0,
                                    module.hasAttributes && !module.editable};
        if (documentHandler) documentHandler(configured, module);
    };
    const bool ran = document_.Compare(TreeScope::WholeTree, false);
    device.onDifference = std::move(documentHandler);
    if (!ran) return false;

    forEachParameter(*document_.rootBranch(), [&](Parameter& p, const std::string& path) {
        if (const auto found = differences.find(&p); found != differences.end())
            rows_.push_back(rowOf(p, path, found->second));
    });
    return true;
}

void ModuleReview::select(std::size_t row, bool selected) {
    if (row < rows_.size() && rows_[row].writable) rows_[row].selected = selected;
}

std::size_t ModuleReview::selectedCount() const {
    std::size_t count = 0;
    for (const ReviewRow& row : rows_) count += row.selected ? 1 : 0;
    return count;
}

bool WriteOnly(CPlimoDoc& document, const std::vector<Parameter*>& parameters) {
    DescBranch* root = document.rootBranch();
    if (!root) return false;
    std::map<Parameter*, Marks> kept;
    forEachParameter(*root, [&](Parameter& p, const std::string&) { kept[&p] = takeMarks(p); });
    // A write clears the error text when it starts: one the task never reaches keeps
    // this note.
    const std::string notWritten = TextByKey("IDS_REVIEW_NOT_WRITTEN");
    for (Parameter* p : parameters) {
        p->valueChanged = 1;
        p->errorText = notWritten;
    }
    const bool ran = document.WriteChanges(TreeScope::WholeTree);
    // The document's change marks are its own: this write leaves them as they were.
    for (auto& [parameter, marks] : kept) giveMarks(*parameter, marks);
    return ran;
}

bool ModuleReview::WriteSelected() {
    std::vector<Parameter*> chosen;
    for (const ReviewRow& row : rows_)
        if (row.selected) chosen.push_back(row.parameter);
    if (chosen.empty()) return false;
    const bool ran = WriteOnly(document_, chosen);
    for (ReviewRow& row : rows_) {
        if (!row.selected) continue;
        row.error = row.parameter->errorText;
        row.written = row.error.empty();
        if (!row.written) continue;
        // The module holds the file's value now: nothing left to write for this one.
        row.moduleValue = row.fileValue;
        row.writable = row.selected = false;
    }
    return ran;
}

}  // namespace vantor
