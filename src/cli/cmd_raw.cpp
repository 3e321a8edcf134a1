#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/request_arguments.h"
#include "link/device_io.h"
#include "protocol/name_hash.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kRawUsage[] =
    "usage: vantorctl raw --port PATH [--baud N] [--parity none|even|odd] [--data-bits N]\n"
    "                     [--stop-bits N] [--addr N] [--alen 8|11] [--adapter auto|rts]\n"
    "                     [--read | --data HEX] [--index I] NAME\n"
    "Sends one request for parameter NAME (or a hash written 0xHHHH) to the module and\n"
    "prints the reply's data bytes as upper-case hex, an empty line when it has none.\n"
    "A failure prints its text on stderr and ends with status 1.\n"
    "  --port PATH      serial device (COMn means /dev/ttyS(n-1))\n"
    "  --baud N         line speed (default 9600); --parity (default none),\n"
    "  --data-bits N    (default 8), --stop-bits N (default 1)\n"
    "  --addr N         module address (default 16); --alen 8|11 (default 8)\n"
    "  --adapter MODE   auto: the adapter switches direction itself (default);\n"
    "                   rts: the program drives RTS while it sends\n"
    "  --read           read request (the default); --data HEX writes these bytes\n"
    "  --index I        append the data index I (0..65535), high byte first\n";

namespace {

// The hash of NAME, or the hash itself when NAME is written 0xHHHH.
std::uint16_t hashOf(const std::string& name) {
    if (name.size() == 6 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X'))
        if (const auto bytes = parseHexBytes(name.substr(2)))
            return static_cast<std::uint16_t>((*bytes)[0] << 8 | (*bytes)[1]);
    return hash_name(name);
}

// Fills `request` and the line settings of `sio`; an empty text, else what is wrong.
std::string parse(const Arguments& args, RequestArguments& request, Sio& sio) {
    Options options;
    request.addTo(options);
    options.value("--port", [&](const std::string& value) {
        sio.portName = value;
        return std::string();
    });
    // Line settings the port cannot take are refused by Open with their own text.
    const auto number = [](const char* option, std::uint32_t& field) {
        return [option, &field](const std::string& value) {
            const auto n = parseInteger(value, 0, 4000000);
            if (n) field = static_cast<std::uint32_t>(*n);
            return n ? std::string() : std::string("bad ") + option + " '" + value + "'";
        };
    };
    options.value("--baud", number("--baud", sio.baudRate));
    options.value("--data-bits", number("--data-bits", sio.dataBits));
    options.value("--stop-bits", number("--stop-bits", sio.stopBits));
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
    std::string error = options.parse(args, words);
    if (error.empty()) error = request.finish(words);
    if (error.empty() && sio.portName.empty()) error = "--port is required";
    if (error.empty() && (request.address < 0 || request.address > request.highestAddress()))
        error =
            "address " + std::to_string(request.address) + " is outside 0.." + std::to_string(request.highestAddress());
    return error;
}

}  // namespace

int runRaw(const Arguments& args) {
    DeviceIO link;
    Sio& sio = link.sio();
    sio.portName.clear();
    RequestArguments request;
    if (const std::string error = parse(args, request, sio); !error.empty()) return usageError("raw", error, kRawUsage);
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
