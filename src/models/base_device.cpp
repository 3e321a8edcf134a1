#include "models/base_device.h"

#include <cstdio>

#include "description/catalogue.h"
#include "description/desc_branch.h"
#include "models/model_document.h"
#include "models/model_exchange.h"
#include "params/parameter.h"
#include "params/type_names.h"
#include "platform/user_interface.h"
#include "text/texts.h"

namespace vantor {
namespace {

// Written successfully, these change the module's network settings on every model.
constexpr const char* kNetworkSettingNames[] = {"bPS", "LEn", "PrtY", "Sbit", "A.Len", "Addr"};

std::string formatReal(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

const StatusBit* statusRow(const ModelFacts& facts, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= facts.statusRows.size()) return nullptr;
    return &facts.statusRows[static_cast<std::size_t>(row)];
}

}  // namespace

CBaseDevice::CBaseDevice(Model model, ModelDocument& document) : model_(model), document_(document) {}

CBaseDevice::~CBaseDevice() = default;

bool CBaseDevice::HasInputs() const { return facts().inputs.parameter != nullptr; }
bool CBaseDevice::HasOutputs() const { return facts().outputs.parameter != nullptr; }

std::string CBaseDevice::InputParameterName() const { return HasInputs() ? facts().inputs.parameter : ""; }
std::string CBaseDevice::OutputParameterName() const { return HasOutputs() ? facts().outputs.parameter : ""; }

std::optional<IndicatorRect> CBaseDevice::InputIndicatorRect() const {
    if (!HasInputs()) return std::nullopt;
    return facts().inputs.first;
}

std::optional<IndicatorRect> CBaseDevice::OutputIndicatorRect() const {
    if (!HasOutputs()) return std::nullopt;
    return facts().outputs.first;
}

int CBaseDevice::InputIndicatorStep() const { return facts().inputs.step; }
int CBaseDevice::OutputIndicatorStep() const { return facts().outputs.step; }
int CBaseDevice::IndicatorRowStep() const { return facts().indicatorRowStep; }
bool CBaseDevice::NoStatusDialog() const { return facts().noStatusDialog; }
std::string CBaseDevice::StatusCommandText() const { return Text(facts().statusCommandKey); }
bool CBaseDevice::HasCalibration() const { return facts().calibration != Calibration::None; }

void CBaseDevice::RunCalibration() {
    if (HasCalibration()) document().RunCalibrationProcedure(facts().calibration);
}
bool CBaseDevice::InitAfterWrite() const { return facts().initAfterWrite; }
bool CBaseDevice::HasDataBitsSetting() const { return facts().hasDataBitsSetting; }
bool CBaseDevice::ReportApplyError() const { return facts().reportApplyError; }

std::string CBaseDevice::DisplayName() const { return modelDisplayName(static_cast<int>(model_)); }

bool CBaseDevice::IsNetworkSettingName(const std::string& name) const {
    for (const char* common : kNetworkSettingNames)
        if (equalsIgnoringCase(name, common)) return true;
    for (const char* own : facts().networkNames)
        if (own && equalsIgnoringCase(name, own)) return true;
    return false;
}

std::string CBaseDevice::StatusRowLabel(int row) const {
    const StatusBit* bit = statusRow(facts(), row);
    return bit ? Text(bit->labelKey) : std::string();
}

std::string CBaseDevice::StatusBitText(int row, std::uint32_t value) const {
    const StatusBit* bit = statusRow(facts(), row);
    if (!bit) return {};
    const bool set = (value >> bit->bit) & 1u;
    if (!bit->setKey) return set ? "1" : "0";
    return Text(set ? bit->setKey : bit->clearKey);
}

std::string CBaseDevice::FormatRealValue(double value) const { return formatReal(facts().realFormat, value); }

CodecContext CBaseDevice::codecContext() const {
    CodecContext context;
    context.readingForms = facts().readingForms;
    context.formatReal = [format = facts().realFormat](double value) { return formatReal(format, value); };
    return context;
}

void CBaseDevice::ResetToDefaults() {
    if (facts().defaultsCommand)
        sendDefaultsCommand();
    else
        writeInitValues();
}

void CBaseDevice::writeInitValues() {
    UserInterface& ui = document_.ui();
    DescBranch* root = document_.rootBranch();
    if (!root) {
        ui.message(Text("IDS_STRING170"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    if (ui.message(Text("IDS_STRING173"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Warning, MessageButtons::YesNo) !=
        MessageAnswer::Yes)
        return;
    ui.waitCursor(true);
    if (!document_.HoldsHighestAccessLevel()) {
        ui.message(Text("IDS_STRING690"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Information, MessageButtons::Ok);
    } else if (document_.RunWriteDefaults(*root)) {
        // A failed or cancelled task has reported on its own.
        document_.UpdateAllViews();
    }
    ui.waitCursor(false);
    document_.InitWithConfirmation();
}

void CBaseDevice::sendDefaultsCommand() {
    UserInterface& ui = document_.ui();
    Parameter command("S.Def");
    command.type = "void";
    command.valueText.clear();
    // A reply the link cannot decode still means the module took the command.
    if (document_.exchange().WriteParameter(command, 1) != 0 && command.errorText != Text("IDS_NODECODING_ANSWER")) {
        ui.message(command.errorText, Text("IDS_STRING148"), MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    if (ui.message(Text("IDS_STRING172"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Information, MessageButtons::YesNo) ==
        MessageAnswer::Yes)
        document_.PostReadAll();
}

Parameter& CBaseDevice::GetApplyParameter() {
    if (!apply_) {
        apply_ = std::make_unique<Parameter>("APLY");
        apply_->type = "void";
        apply_->valueText.clear();
    }
    return *apply_;
}

}  // namespace vantor
