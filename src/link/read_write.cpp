// The counted, logged read and write of one parameter that the rest of the program
// calls, with the five-time-outs rule; the instant write after an edit; the comparison
// of one parameter with the module.

#include <fstream>

#include "link/parameter_link.h"
#include "params/discrepancy.h"
#include "params/type_names.h"
#include "platform/app_state.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

// Time-outs in a row after which the running operation is given up.
constexpr int kTimeoutsTolerated = 4;
constexpr std::uint32_t kFlagsNoAnswer = 1u << kResultNoAnswer;

std::string nameWithIndex(const Parameter& parameter) {
    return parameter.indexed ? parameter.name + ":" + std::to_string(parameter.dataIndex) : parameter.name;
}

// The progress line of a failed exchange: what was asked and why it failed.
std::string withError(const std::string& line, const Parameter& parameter) {
    return line + " - " + parameter.errorText;
}

}  // namespace

void ParameterLink::noteExchange(int result) {
    lastExchange = result == 0 ? LastExchange::Worked : LastExchange::Failed;
}

void ParameterLink::progressLog(const std::string& line) { ui_.progressLog(line, progressDone); }

bool ParameterLink::isTimeout(const Parameter& parameter) const {
    return equalsIgnoringCase(parameter.errorText, Text("IDS_NOCARRIER"));
}

void ParameterLink::appendErrorLog(const Parameter& parameter) const {
    const std::string& path = app().errorLogPath();
    if (path.empty() || parameter.errorText.empty()) return;
    std::ofstream log(path, std::ios::app | std::ios::binary);
    log << nameWithIndex(parameter) << " - " << parameter.errorText << '\n';
}

int ParameterLink::ReadParameter(Parameter& parameter, bool countTimeouts) {
    ++progressDone;
    if (parameter.dataIndex < 0) return kExchangeNegativeIndex;
    std::string line = Text("IDS_STRING282") + " " + nameWithIndex(parameter);

    const int result = ExchangeParameter(1, &parameter);
    noteExchange(result);
    if (result != 0) appendErrorLog(parameter);
    if (result == 0 || !isTimeout(parameter)) {
        consecutiveFailures = 0;
        if (onDocumentModified) onDocumentModified();
        if (DeviceModelLink* model = deviceModel; model && equalsIgnoringCase(parameter.name, "Log"))
            model->OnLogParameter(parameter);
    } else if (countTimeouts && ++consecutiveFailures > kTimeoutsTolerated) {
        fiveReadTimeouts();
    }
    progressLog(result == 0 ? line + " = " + parameter.valueText : withError(line, parameter));
    return result;
}

void ParameterLink::fiveReadTimeouts() {
    const DeviceModelLink* model = deviceModel;
    std::string text =
        FormatTextArgs(Text("IDS_STRING176"), consecutiveFailures.load(), model ? model->DisplayName().c_str() : "");
    if (ui_.option(OptionSwitch::ReadWhenOpen)) {
        text += Text("IDS_STRING177");
        ui_.setOption(OptionSwitch::ReadWhenOpen, false);
    }
    // The table keeps this line in quotation marks, and it is shown with them.
    text += Text("IDS_STRING178");
    consecutiveFailures = 0;
    cancel_.set();
    ui_.message(text, "", MessageIcon::Error, MessageButtons::Ok);
}

int ParameterLink::WriteParameter(Parameter& parameter, int source) {
    ++progressDone;
    std::string line = "  " + Text("IDS_STRING308") + " " + nameWithIndex(parameter);
    const std::string& text = source < 0 ? parameter.configurationValue : parameter.valueText;
    if (text == Text("IDS_NODATA")) {
        parameter.errorText = Text("IDS_NODATAMSG");
        return kExchangeNoData;
    }
    if (parameter.dataIndex < 0) return kExchangeNegativeIndex;
    if (source < 0) {
        // The calibration factors go back to their neutral pair: offset 0, gain 4095.
        if (equalsIgnoringCase(parameter.name, "clb.k"))
            parameter.valueText = parameter.dataIndex % 2 == 0 ? "0" : "4095";
        else
            parameter.valueText = parameter.configurationValue;
    }
    const std::string written = parameter.valueText;

    const int result = ExchangeParameter(0, &parameter);
    noteExchange(result);
    if (result != 0) {
        appendErrorLog(parameter);
    } else {
        if (const DeviceModelLink* model = deviceModel; model && model->IsNetworkSettingName(parameter.name))
            networkSettingsChanged = true;
        consecutiveFailures = 0;
    }
    line += " = " + written;
    progressLog(result == 0 ? line + " " + Text("IDS_STRING309") : withError(line, parameter));

    if (result != 0 && (result < 0 || isTimeout(parameter)) && ++consecutiveFailures > kTimeoutsTolerated) {
        progressLog(Text("IDS_STRING310"));
        consecutiveFailures = 0;
        cancel_.set();
        app().replaceResultFlags(kFlagsNoAnswer);
    }
    return result;
}

int ParameterLink::InstantWrite(Parameter& parameter) {
    if (!parameter.valueChanged || !ui_.option(OptionSwitch::InstantRecording)) return kInstantWriteNothing;
    parameter.errorText.clear();
    return WriteParameter(parameter, 1);
}

int ParameterLink::compareParameter(Parameter& parameter) {
    if (cancelled()) return 3;
    if (parameter.dataIndex < 0) return kExchangeNegativeIndex;
    Parameter module(parameter.name);
    module.indexed = parameter.indexed;
    module.dataIndex = parameter.dataIndex;
    module.hasAttributes = parameter.hasAttributes;
    module.type = parameter.type;
    module.lowLimit = parameter.lowLimit;
    module.highLimit = parameter.highLimit;
    module.valueText.clear();
    const int result = ExchangeParameter(1, &module);
    noteExchange(result);

    std::string line = Text("IDS_STRING155") + " " + parameter.name + "=" + parameter.valueText;
    if (parameter.indexed) line += ":" + std::to_string(parameter.dataIndex);
    progressLog(result == 0 ? line + "<>" + module.valueText : withError(line, module));
    // A module that did not answer leaves the parameter troubled even where the values agree.
    if (result != 0) {
        parameter.errorText = module.errorText;
        return result;
    }

    const bool differs =
        parameter.valueText != module.valueText || parameter.manufacturerOwned != module.manufacturerOwned;
    if (!differs) return 0;
    if (onDifference)
        onDifference(parameter, module);
    else
        parameter.errorText = DiscrepancyText(module);
    return kParameterDiffers;
}

}  // namespace vantor
