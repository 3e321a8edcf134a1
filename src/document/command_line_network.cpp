#include "document/command_line_network.h"

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "document/command_line_info.h"
#include "elements/net_rs485.h"
#include "elements/network_checks.h"
#include "params/type_names.h"
#include "platform/serial_port.h"
#include "platform/string_utils.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

constexpr int kLastPort = 255;

// A setting the command line gave: the element's parameter, its text, and the option.
struct GivenSetting {
    const char* parameter;
    std::string text;
    const char* option;
};

std::string parityWord(std::uint8_t parity) {
    switch (parity) {
    case kParityOptionEven: return Text("IDS_STRING676");
    case kParityOptionOdd: return Text("IDS_STRING677");
    case kParityOptionNone: return Text("IDS_STRING675");
    default: return {};
    }
}

std::string numberText(std::uint32_t number) { return number == 0 ? std::string() : std::to_string(number); }

// The address as "%i" reads it (decimal, 0x hexadecimal, leading 0 octal), the whole
// text; none for anything else.
std::optional<long> addressNumber(const std::string& text) {
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 0);
    if (errno == ERANGE || *end != '\0') return std::nullopt;
    return number;
}

// The address as the element holds it: decimal. Texts that are no address stay as given
// for the check to refuse.
std::string addressText(const std::string& given) {
    const std::optional<long> number = addressNumber(given);
    return number ? std::to_string(*number) : given;
}

// In the order the module's network parameters take them.
std::vector<GivenSetting> givenSettings(const CommandLineSettings& settings) {
    const GivenSetting all[] = {
        {"Addr", settings.address.empty() ? std::string() : addressText(settings.address), "addr"},
        {"A.Len", numberText(settings.addressLength), "alen"},
        {"bPS", numberText(settings.baudRate), "bps"},
        {"LEn", numberText(settings.dataBits), "len"},
        {"Sbit", settings.stopBits, "sbit"},
        {"PrtY", parityWord(settings.parity), "prty"},
    };
    std::vector<GivenSetting> given;
    for (const GivenSetting& setting : all)
        if (!setting.text.empty()) given.push_back(setting);
    return given;
}

// Why the option's value was refused, told with what the setting takes.
std::string refusal(const std::string& option, const NetRS485& settings) {
    const std::string name = option.substr(0, option.find(':'));
    std::string takes;
    if (name == "port") {
        takes = FormatTextArgs(Text("IDS_NETWORK_OPTION_PORT"), kLastPort);
    } else if (name == "addr") {
        const std::string length = settings.GetParameterText("A.Len");
        takes = FormatTextArgs(Text("IDS_NETWORK_OPTION_ADDRESS"), length == "11" ? 2047 : 255, length.c_str());
    } else {
        const char* parameter = name == "alen" ? "A.Len" : name == "bps" ? "bPS" : name == "len" ? "LEn" : "Sbit";
        std::string choices;
        for (const std::string& choice : typeElements(settings.FindParameter(parameter)->type))
            choices += (choices.empty() ? "" : ", ") + choice;
        takes = FormatTextArgs(Text("IDS_NETWORK_OPTION_CHOICES"), choices.c_str());
    }
    return FormatTextArgs(Text("IDS_NETWORK_OPTION_REFUSED"), option.c_str(), takes.c_str());
}

bool isChoice(const Parameter& parameter, const std::string& text) {
    for (const std::string& choice : typeElements(parameter.type))
        if (equalsIgnoringCase(choice, text)) return true;
    return false;
}

}  // namespace

std::string CommandLineNetworkRefusal(const CommandLineSettings& settings, const NetRS485prg& program) {
    // The settings as they would be: the program's, with the given ones put in.
    NetRS485 planned;
    planned.InitParameters();
    for (const auto& parameter : planned.parameters())
        planned.SetParameterText(parameter->name, program.GetParameterText(parameter->name));
    for (const GivenSetting& setting : givenSettings(settings))
        planned.SetParameterText(setting.parameter, setting.text);

    if (!settings.refusedNetworkOption.empty()) return refusal(settings.refusedNetworkOption, planned);
    if (!(settings.options & kOptNetworkGiven)) return {};
    for (const GivenSetting& setting : givenSettings(settings)) {
        const Parameter& parameter = *planned.FindParameter(setting.parameter);
        const bool allowed = equalsIgnoringCase(setting.parameter, "Addr") ? addressNumber(setting.text).has_value()
                                                                           : isChoice(parameter, setting.text);
        if (!allowed) return refusal(std::string(setting.option) + ':' + setting.text, planned);
    }
    if (!settings.address.empty()) {
        const long last = planned.GetParameterText("A.Len") == "11" ? 2047 : 255;
        if (*addressNumber(planned.GetParameterText("Addr")) > last)
            return refusal("addr:" + settings.address, planned);
    }
    const bool combinationAllowed = CheckLineSetting(planned, "PrtY", planned.GetParameterText("PrtY")) &&
                                    CheckAddressSetting(planned, "Addr", planned.GetParameterText("Addr"));
    return combinationAllowed ? std::string() : Text("IDS_STRING258");
}

bool ApplyCommandLineNetworkSettings(const CommandLineSettings& settings, NetRS485prg& program,
                                     ObjectWithParameters* networkBranch) {
    if (!(settings.options & kOptNetworkGiven)) return false;
    if (!(settings.options & kOptAply)) networkBranch = nullptr;

    bool anySet = false;
    for (const GivenSetting& setting : givenSettings(settings)) {
        anySet |= program.SetParameterText(setting.parameter, setting.text) != 0;
        if (networkBranch) networkBranch->SetParameterText(setting.parameter, setting.text);
    }
    // The element holds a port as the device it opens: COMn is /dev/ttyS(n-1).
    if (settings.port != 0)
        anySet |= program.SetParameterText("Port", serialDevicePath("COM" + std::to_string(settings.port))) != 0;
    return anySet;
}

void ApplyCommandLineAdapterMode(const CommandLineSettings& settings, NetRS485prg& program) {
    if (settings.adapterMode == kAdapterOptionOff)
        program.setAdapterMode(kAdapterModeAuto);
    else if (settings.adapterMode == kAdapterOptionAuto || settings.adapterMode == kAdapterOptionOn)
        program.setAdapterMode(kAdapterModeZk7);
}

}  // namespace vantor
