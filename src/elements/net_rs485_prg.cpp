// The stored form of the program's network settings, per-user key "Vantor":
//   "address", "address_length", "baud_rate", "byte_size", "stop_bits"  integers, the
//       decimal value of "Addr", "A.Len", "bPS", "LEn", "Sbit";
//   "parity_scheme"  integer: 1 even, 3 none, 4 odd (the port's parity codes);
//   "port_number"    integer n: the port COMn, that is /dev/ttyS(n-1);
//   "port_path"      text: a port that has no such number (/dev/ttyUSB0); it wins over
//       "port_number", and is removed when a numbered port is saved.

#include "elements/net_rs485_prg.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "params/type_names.h"
#include "platform/serial_port.h"
#include "text/texts.h"

namespace vantor {

namespace {

struct StoredNumber {
    const char* valueName;
    const char* parameter;
    std::uint32_t fallback;
};

constexpr StoredNumber kStoredNumbers[] = {
    {"address", "Addr", 16}, {"address_length", "A.Len", 8}, {"baud_rate", "bPS", 9600},
    {"byte_size", "LEn", 8}, {"stop_bits", "Sbit", 1},
};

constexpr const char* kParityValue = "parity_scheme";
constexpr const char* kPortNumberValue = "port_number";
constexpr const char* kPortPathValue = "port_path";

// The parity codes of the choices of "PrtY", in choice order: none, even, odd.
constexpr std::array<std::uint32_t, 3> kParityCodes = {kParityCodeNone, kParityCodeEven, kParityCodeOdd};

std::string decimalText(std::uint32_t stored) { return std::to_string(static_cast<std::int32_t>(stored)); }

long decimal(const std::string& text) { return std::atol(text.c_str()); }

// n of a port that is COMn: "COMn" itself or its device /dev/ttyS(n-1).
std::optional<std::uint32_t> comPortNumber(const std::string& portText) {
    constexpr std::string_view kSerialDevice = "/dev/ttyS";
    const std::string path = serialDevicePath(portText);
    if (path.size() <= kSerialDevice.size() || path.compare(0, kSerialDevice.size(), kSerialDevice) != 0)
        return std::nullopt;
    const std::string digits = path.substr(kSerialDevice.size());
    if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos ||
        (digits.size() > 1 && digits[0] == '0'))
        return std::nullopt;
    return static_cast<std::uint32_t>(std::stoul(digits)) + 1;
}

}  // namespace

NetRS485prg::NetRS485prg() : NetRS485prg(OpenSettings(SettingsScope::PerUser)) {}

NetRS485prg::NetRS485prg(std::shared_ptr<SettingsStore> settings) : settings_(std::move(settings)) {
    name_ = Text("IDS_STRING717");
}

NetRS485prg::~NetRS485prg() {
    if (loaded_) SaveSettings();
}

void NetRS485prg::InitParameters() {
    NetRS485::InitParameters();
    for (const StoredNumber& number : kStoredNumbers)
        SetParameterText(number.parameter,
                         decimalText(settings_->readInteger(number.valueName).value_or(number.fallback)));

    const std::uint32_t parity = settings_->readInteger(kParityValue).value_or(kParityCodeNone);
    const Parameter* parityParameter = FindParameter("PrtY");
    std::string parityText = Text("IDS_STRING718");
    for (std::size_t i = 0; i < kParityCodes.size(); ++i)
        if (kParityCodes[i] == parity) parityText = parityParameter->EnumText(static_cast<int>(i));
    SetParameterText("PrtY", parityText);

    auto port = std::make_unique<Parameter>("Port");
    port->description = Text("IDS_STRING209");
    port->userEditable = 1;
    port->type = ListSerialPorts();
    const std::optional<std::string> path = settings_->readString(kPortPathValue);
    if (path && !path->empty())
        port->valueText = *path;
    else
        port->valueText = serialDevicePath("COM" + decimalText(settings_->readInteger(kPortNumberValue).value_or(1)));
    appendParameter(std::move(port));

    ClearChanged();
    for (const auto& parameter : parameters_) parameter->hasAttributes = 0;
    loaded_ = true;
}

void NetRS485prg::SaveSettings() {
    for (const StoredNumber& number : kStoredNumbers)
        settings_->writeInteger(number.valueName,
                                static_cast<std::uint32_t>(decimal(GetParameterText(number.parameter))));

    if (const Parameter* parityParameter = FindParameter("PrtY")) {
        const std::vector<std::string> choices = typeElements(parityParameter->type);
        for (std::size_t i = 0; i < kParityCodes.size() && i < choices.size(); ++i)
            if (parityParameter->valueText == choices[i]) {
                settings_->writeInteger(kParityValue, kParityCodes[i]);
                break;
            }
    }

    const std::string port = GetParameterText("Port");
    if (const std::optional<std::uint32_t> number = comPortNumber(port)) {
        settings_->writeInteger(kPortNumberValue, *number);
        settings_->remove(kPortPathValue);
    } else if (!port.empty()) {
        settings_->writeString(kPortPathValue, port);
    }
}

LineSettings NetRS485prg::lineSettings() const {
    LineSettings line;
    line.portPath = serialDevicePath(GetParameterText("Port"));
    line.baudRate = static_cast<std::uint32_t>(decimal(GetParameterText("bPS")));
    const Parameter* parity = FindParameter("PrtY");
    const int choice = parity ? parity->EnumIndex(parity->valueText) : -1;
    line.parityCode =
        choice >= 0 && choice < static_cast<int>(kParityCodes.size()) ? kParityCodes[choice] : kParityCodeNone;
    line.dataBits = static_cast<std::uint32_t>(decimal(GetParameterText("LEn")));
    line.stopBits = static_cast<std::uint32_t>(decimal(GetParameterText("Sbit")));
    line.address = static_cast<int>(decimal(GetParameterText("Addr")));
    line.addressLength = static_cast<int>(decimal(GetParameterText("A.Len")));
    line.adapterMode = adapterMode_;
    return line;
}

}  // namespace vantor
