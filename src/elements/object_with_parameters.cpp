#include "elements/object_with_parameters.h"

#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

namespace {

bool anyChangedFlag(const Parameter& p) { return p.valueChanged || p.editableChanged || p.ownerChanged; }

}  // namespace

void ObjectWithParameters::appendParameter(std::unique_ptr<Parameter> parameter) {
    parameters_.push_back(std::move(parameter));
}

void ObjectWithParameters::InitParameters() { parameters_.clear(); }

Parameter* ObjectWithParameters::FindParameter(std::string_view name) const {
    for (const auto& p : parameters_)
        if (equalsIgnoringCase(p->name, name)) return p.get();
    return nullptr;
}

std::string ObjectWithParameters::GetParameterText(std::string_view name) const {
    const Parameter* p = FindParameter(name);
    return p ? p->valueText : Text("IDS_NODATA");
}

int ObjectWithParameters::SetParameterText(std::string_view name, const std::string& text) {
    Parameter* p = FindParameter(name);
    if (!p) return 0;
    if (!equalsIgnoringCase(p->valueText, text)) p->valueChanged = 1;
    p->valueText = text;
    return 1;
}

ExchangeCounts ObjectWithParameters::CompareValues(ParameterExchange& link) {
    ExchangeCounts counts;
    if (link.cancelled()) return counts;
    for (const auto& p : parameters_) {
        const int result = link.compareParameter(*p);
        link.progressStep();
        if (result != 0) ++counts.failed;
        if (result == kParameterDiffers) ++counts.differing;
        // The parameter at which a cancelled walk stops is not counted as handled.
        if (link.cancelled()) break;
        ++counts.handled;
    }
    return counts;
}

ExchangeCounts ObjectWithParameters::ReadValues(ParameterExchange& link) {
    ExchangeCounts counts;
    if (link.cancelled()) return counts;
    for (const auto& p : parameters_) {
        if (link.readParameter(*p) != 0) {
            ++counts.failed;
            if (link.cancelled()) break;
        }
        ++counts.handled;
    }
    return counts;
}

bool ObjectWithParameters::TakesPartInWrite(const Parameter& p, int mode) {
    if (!p.userEditable) return false;
    if (mode > 0) return true;
    if (mode == 0) return anyChangedFlag(p);
    return !p.configurationValue.empty();
}

ExchangeCounts ObjectWithParameters::WriteValues(ParameterExchange& link, int mode) {
    ExchangeCounts counts;
    if (link.cancelled()) return counts;
    for (const auto& p : parameters_) {
        if (!TakesPartInWrite(*p, mode)) continue;
        ++counts.handled;
        if (link.writeParameter(*p, mode) != 0) ++counts.failed;
        if (link.cancelled()) break;
    }
    return counts;
}

void ObjectWithParameters::ResetValues() {
    const std::string noData = Text("IDS_NODATA");
    for (const auto& p : parameters_) {
        p->valueText = noData;
        p->errorText.clear();
        p->editable = 1;
        p->manufacturerOwned = 0;
        p->valueChanged = p->editableChanged = p->ownerChanged = 0;
    }
}

RowId ObjectWithParameters::InsertParameterRow(RowSink& sink, RowId parent, Parameter& parameter, bool showIndexes) {
    RowEntry row;
    row.kind = RowKind::Parameter;
    row.text = parameter.description;
    row.value = parameter.valueText;
    row.image = row.selectedImage = parameter.Row(showIndexes).image;
    row.parameter = &parameter;
    row.showIndexes = showIndexes;
    return sink.addRow(parent, row);
}

RowId ObjectWithParameters::InsertRows(RowSink& sink, RowId parent, int count, bool showIndexes) {
    const int size = static_cast<int>(parameters_.size());
    shownCount_ = (count >= 0 && size > 0 && count < size) ? count : size;
    for (int i = 0; i < shownCount_; ++i) InsertParameterRow(sink, parent, *parameters_[i], showIndexes);
    return parent;
}

int ObjectWithParameters::GetElementNumber(UserInterface& ui) {
    for (const auto& p : parameters_) {
        if (!p->indexed) continue;
        if (elementNumber_ == -1) {
            elementNumber_ = p->dataIndex;
            return elementNumber_;
        }
        if (p->dataIndex == elementNumber_) continue;
        ui.message(Text("IDS_STRING214") + " '" + p->name + "' (" + p->description + ") " + Text("IDS_STRING503"),
                   Text("AFX_IDS_APP_TITLE"), MessageIcon::Warning, MessageButtons::Ok);
    }
    return elementNumber_;
}

void ObjectWithParameters::SetElementNumber(int number) {
    for (const auto& p : parameters_)
        if (p->indexed) p->dataIndex = number;
    elementNumber_ = number;
}

int ObjectWithParameters::HasChanges() const {
    for (const auto& p : parameters_)
        if (anyChangedFlag(*p)) return 2;
    return 0;
}

void ObjectWithParameters::ClearChanged() {
    for (const auto& p : parameters_) p->valueChanged = p->editableChanged = p->ownerChanged = 0;
}

bool ObjectWithParameters::HasErrors(bool countDiscrepancies) const {
    const std::string discrepancy = Text("IDS_DISCREPANCY");
    for (const auto& p : parameters_) {
        if (p->errorText.empty()) continue;
        if (countDiscrepancies || p->errorText.compare(0, discrepancy.size(), discrepancy) != 0) return true;
    }
    return false;
}

}  // namespace vantor
