#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/end_on_signal.h"
#include "cli/request_arguments.h"
#include "link/device_io.h"
#include "params/module_baud_rates.h"
#include "protocol/name_hash.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kRawUsage[] =
    "usage: vantorctl raw --port PATH [--baud N] [--parity none|even|odd] [--data-bits N]\n"
    "                     [--stop-bits N] [--addr N] [--alen 8|11] [--adapter auto|rts]\n"
    "                     [--read | --data HEX] [--index I] NAME\n"
    "Sends one request for parameter NAME (or for a hash written as 0x and 1 to 4 hex\n"
    "digits) to the module and prints the reply's data bytes as upper-case hex, an\n"
    "empty line when it has none.\n"
    "A failure prints its text on stderr and ends with status 1.\n"
    "  --port PATH      serial device (COMn means /dev/ttyS(n-1))\n"
    "  --baud N         line speed, one a module runs at (default 9600);\n"
    "                   --parity (default none), --data-bits 5..8 (default 8),\n"
    "                   --stop-bits 1|2 (default 1)\n"
    "  --addr N         module address (default 16); --alen 8|11 (default 8)\n"
    "  --adapter MODE   auto: the adapter switches direction itself (default);\n"
    "                   rts: the program drives RTS while it sends\n"
    "  --read           read request (the default); --data HEX writes these bytes\n"
    "  --index I        append the data index I (0..65535), high byte first\n";

namespace {

// The hash itself when NAME is 0x and one to four hex digits, else the hash of NAME.
std::uint16_t hashOf(const std::string& name) {
    const std::string_view text = name;
    if (text.size() > 2 && text.size() <= 6 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        if (const auto hash = cmdline::parseWhole<std::uint16_t>(text.substr(2), 0, 0xFFFF, 16)) return *hash;
    return hash_name(name);
}

// Fills `request` and the line settings of `sio`; an empty text, else what is wrong.
std::string parse(const Arguments& args, RequestArguments& request, Sio& sio) {
    cmdline::Scanner options;
    request.addTo(options);
    options.value("--port", [&](const std::string& value) {
        sio.portName = value;
        return std::string();
    });
    options.value("--baud", [&](const std::string& value) {
        const auto rate = cmdline::parseWhole<std::uint32_t>(value, 0, kModuleBaudRates.back());
        if (!rate || !isModuleBaudRate(*rate))
            return "baud rate " + value + " is not supported (" + moduleBaudRateList(", ") + ")";
        sio.baudRate = *rate;
        return std::string();
    });
    options.number("--data-bits", 5u, 8u, [&](std::uint32_t bits) { sio.dataBits = bits; });
    options.number("--stop-bits", 1u, 2u, [&](std::uint32_t bits) { sio.stopBits = bits; });
    options.value("--parity", [&](const std::string& value) {
        static const std::map<std::string, std::uint32_t> kCodes = {{"none", 3}, {"even", 1}, {"odd", 4}};
        const auto code = kCodes.find(value);
        if (code != kCodes.end()) sio.parityCode = code->second;
        return code != kCodes.end() ? std::string() : "--parity takes none, even or odd";
    });
    options.value("--adapter", [&](const std::string& value) {
        const bool good = value == "auto" || value == "rts";
        if (good) sio.adapterMode = value == "rts" ? kAdapterZk7 : kAdapterAuto;
        return good ? std::string() : "--adapter takes auto or rts";
    });
    std::vector<std::string> words;
    std::string error = options.scan(args, words);
    if (error.empty()) error = request.finish(words);
    if (error.empty() && sio.portName.empty()) error = "--port is required";
    return error;
}

}  // namespace

int runRaw(const Arguments& args) {
    DeviceIO link;
    Sio& sio = link.sio();
    sio.portName.clear();
    RequestArguments request;
    if (const std::string error = parse(args, request, sio); !error.empty()) return usageError("raw", error, kRawUsage);
    const EndOnSignal endOnSignal([&sio] { sio.stopEvent().set(); });
    if (sio.Open() != 0) {
        std::fprintf(stderr, "%s\n", FormatText(Text("IDS_STRING164"), sio.portName).c_str());
        return 1;
    }
    link.baseAddress = request.address;
    link.addressLength = request.addressLength;

    const std::vector<std::uint8_t> data = request.payload();
    std::vector<std::uint8_t> reply;
    std::string errorText;
    const bool ok = link.ExchangeFrame(request.data ? 0 : 1, hashOf(request.name), data, reply, errorText);
    sio.Close();
    if (!ok) {
        std::fprintf(stderr, "%s\n", errorText.c_str());
        return 1;
    }
    for (auto byte : reply) std::printf("%02X", byte);
    std::printf("\n");
    return 0;
}

}  // namespace vantor::cli
