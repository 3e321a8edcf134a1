#include "view/row_editing.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "document/configuration_document.h"
#include "elements/network_checks.h"
#include "platform/serial_port.h"
#include "platform/string_utils.h"
#include "text/texts.h"
#include "view/link_jobs.h"
#include "view/value_refusal.h"

namespace vantor::gui {
namespace {

// Readings of these models that the module computes: they cannot be written.
bool IsComputedReading(const CBaseDevice* model, const std::string& name) {
    if (!model) return false;
    const Model kind = model->model();
    if (kind != Model::KQ07 && kind != Model::KQ13 && kind != Model::KQ08) return false;
    static constexpr std::array kReadings = {"R.CN",  "IRD",   "IRDT",  "READ",  "SRD",   "RD.IH", "RD.FH",
                                             "RD.IP", "RD.FP", "RF.IV", "RF.FV", "RF.IP", "RF.FP", "RD.ST"};
    return std::any_of(kReadings.begin(), kReadings.end(),
                       [&](const char* reading) { return equalsIgnoringCase(name, reading); });
}

const std::string& AppTitle() {
    static const std::string title = Text("AFX_IDS_APP_TITLE");
    return title;
}

}  // namespace

ValueEditor RowEditing::editorFor(const RowNode& row, int column) const {
    const Parameter* parameter = row.role == RowRole::Tree ? row.parameter() : nullptr;
    if (!parameter) return ValueEditor::None;
    constexpr int kPeriodColumn = 1, kValueColumn = 2;
    if (!row.sampledParameter) return column == kValueColumn ? EditorForImage(row.entry.image) : ValueEditor::None;
    if (column == kPeriodColumn)
        return equalsIgnoringCase(parameter->name, "r.oe.s") ? ValueEditor::None : ValueEditor::EditBox;
    if (column != kValueColumn || EditorForImage(row.entry.image) == ValueEditor::None ||
        IsComputedReading(document_.deviceModel(), parameter->name))
        return ValueEditor::None;
    return ValueEditor::EditBox;
}

std::vector<std::string> RowEditing::choices(const RowNode& row, const std::string& current) const {
    std::vector<std::string> entries{current};
    const Parameter* parameter = row.parameter();
    if (!parameter) return entries;
    const std::string type = equalsIgnoringCase(parameter->name, "Port") ? ListSerialPorts() : parameter->type;
    std::size_t start = 0;
    while (start <= type.size()) {
        const std::size_t end = std::min(type.find(':', start), type.size());
        std::string choice = type.substr(start, end - start);
        start = end + 1;
        if (choice.empty() || choice.find("<hide>") != std::string::npos) continue;
        std::replace(choice.begin(), choice.end(), '_', ' ');
        if (choice != current) entries.push_back(choice);
    }
    return entries;
}

void RowEditing::warnBeforeEdit(const RowNode& row, int column) const {
    const Parameter* parameter = row.parameter();
    if (row.sampledParameter && column == 2 && parameter && parameter->SamplingOn())
        ui_.message(Text("IDS_STRING208"), AppTitle(), MessageIcon::Warning, MessageButtons::Ok);
}

bool RowEditing::commit(RowNode& row, int column, const std::string& oldText, const std::string& newText) {
    if (newText == oldText) return false;
    document_.setModified(true);
    Parameter* parameter = row.parameter();
    if (!parameter) return false;
    if (row.sampledParameter)
        return column == 1 ? commitPeriod(row, *parameter, newText) : commitSampledValue(row, *parameter, newText);
    return commitValue(row, *parameter, newText);
}

bool RowEditing::commitValue(RowNode& row, Parameter& parameter, const std::string& text) {
    if (parameter.manufacturerOwned) return false;
    if (!passesNetworkChecks(row, parameter, text)) {
        error(Text("IDS_STRING258"), AppTitle());
        return false;
    }
    if (!parameter.SetValue(text)) {
        error(ValueRefusalMessage(parameter, text, RefusalSource::TreeRow), AppTitle());
        return false;
    }
    std::vector<Parameter*> affected{&parameter};
    const CBaseDevice* model = document_.deviceModel();
    if (model && equalsIgnoringCase(parameter.name, "Log")) {
        if (Parameter* partner = model->LogPartner(parameter)) {
            partner->valueChanged = 1;
            affected.push_back(partner);
        }
    }
    for (Parameter* each : affected) instantWrite(*each);
    return true;
}

bool RowEditing::passesNetworkChecks(const RowNode& row, const Parameter& parameter, const std::string& text) const {
    const ObjectWithParameters* element = row.parent ? row.parent->element() : nullptr;
    if (!element || element == &document_.networkSettings()) return true;
    AddressValidator validAddress;
    if (const CBaseDevice* model = document_.deviceModel())
        validAddress = [model](int address, const std::string& length) {
            return model->IsValidAddress(address, length);
        };
    return CheckAddressSetting(*element, parameter.name, text, validAddress) &&
           CheckLineSetting(*element, parameter.name, text);
}

void RowEditing::instantWrite(Parameter& parameter) {
    if (!parameter.valueChanged || !ui_.option(OptionSwitch::InstantRecording)) {
        if (parameterChanged) parameterChanged(parameter);
        return;
    }
    auto result = std::make_shared<int>(0);
    jobs_.run([this, &parameter, result] { *result = document_.device().InstantWrite(parameter); },
              [this, &parameter, result] {
                  if (parameterChanged) parameterChanged(parameter);
                  if (*result != kInstantWriteNothing && *result != 0)
                      error(parameter.errorText, Text("IDS_STRING259"));
              });
}

bool RowEditing::commitPeriod(RowNode& row, Parameter& parameter, const std::string& text) {
    // A text that is not a number reads as 0 and is refused with the rest.
    const double period = std::strtod(text.c_str(), nullptr);
    if (!(period >= 100)) {
        error(Text("IDS_STRING218"), AppTitle());
        return false;
    }
    const bool active = parameter.SamplingOn();
    if (active) parameter.StopSampling();
    parameter.samplingPeriod =
        static_cast<std::int32_t>(std::min<double>(period, std::numeric_limits<std::int32_t>::max()));
    if (active) parameter.StartSampling();
    row.sampled.period = text;
    return true;
}

bool RowEditing::commitSampledValue(RowNode& row, Parameter& parameter, const std::string& text) {
    if (!parameter.SetValue(text)) {
        error(ValueRefusalMessage(parameter, text, RefusalSource::SampledRow), AppTitle());
        return false;
    }
    parameter.errorText.clear();
    row.sampled.value = parameter.valueText;
    // The rows go only after the link jobs are dropped, so the row is still there when
    // the write is back.
    auto written = std::make_shared<bool>(false);
    jobs_.run([this, &parameter, written] { *written = document_.device().WriteParameter(parameter, 0) == 0; },
              [this, &row, &parameter, written] {
                  row.sampled.value = parameter.valueText;
                  row.sampled.error = parameter.errorText;
                  row.sampled.received = true;
                  if (parameterChanged) parameterChanged(parameter);
                  if (!*written) error(parameter.errorText, AppTitle());
              });
    return true;
}

void RowEditing::error(const std::string& text, const std::string& caption) const {
    ui_.message(text, caption, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace vantor::gui
