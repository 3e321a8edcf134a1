#include "document/command_line_network.h"

#include <string>
#include <utility>
#include <vector>

#include "document/command_line_info.h"
#include "platform/serial_port.h"
#include "text/texts.h"

namespace vantor {

namespace {

std::string parityWord(std::uint8_t parity) {
    switch (parity) {
    case kParityOptionEven: return Text("IDS_STRING676");
    case kParityOptionOdd: return Text("IDS_STRING677");
    case kParityOptionNone: return Text("IDS_STRING675");
    default: return {};
    }
}

std::string numberText(std::uint32_t number) { return number == 0 ? std::string() : std::to_string(number); }

}  // namespace

bool ApplyCommandLineNetworkSettings(const CommandLineSettings& settings, NetRS485prg& program,
                                     ObjectWithParameters* networkBranch) {
    if (!(settings.options & kOptNetworkGiven)) return false;
    if (!(settings.options & kOptAply)) networkBranch = nullptr;

    const std::pair<const char*, std::string> given[] = {
        {"Addr", settings.address},
        {"A.Len", numberText(settings.addressLength)},
        {"bPS", numberText(settings.baudRate)},
        {"LEn", numberText(settings.dataBits)},
        {"Sbit", settings.stopBits},
        {"PrtY", parityWord(settings.parity)},
    };
    bool anySet = false;
    for (const auto& [name, text] : given) {
        if (text.empty()) continue;
        anySet |= program.SetParameterText(name, text) != 0;
        if (networkBranch) networkBranch->SetParameterText(name, text);
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
