#include <cctype>
#include <charconv>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
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
    "  --addr N         module address (default 1); --alen 8|11 (default 8)\n"
    "  --adapter MODE   auto: the adapter switches direction itself (default);\n"
    "                   rts: the program drives RTS while it sends\n"
    "  --read           read request (the default); --data HEX writes these bytes\n"
    "  --index I        append the data index I (0..65535), high byte first\n";

namespace {

struct RawRequest {
    std::string port;
    std::uint32_t baud = 9600;
    std::uint32_t parityCode = 3;
    std::uint32_t dataBits = 8;
    std::uint32_t stopBits = 1;
    int address = 1;
    int addressLength = 8;
    std::uint32_t adapter = kAdapterAuto;
    bool read = false;
    std::optional<std::vector<std::uint8_t>> data;
    std::optional<int> index;
    std::optional<std::string> name;
};

std::optional<long> parseNumber(const std::string& text, long low, long high) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<std::vector<std::uint8_t>> parseHex(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits.push_back(c);
    }
    if (digits.size() % 2 || digits.size() > 30) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

// The hash of NAME, or the hash itself when NAME is written 0xHHHH.
std::uint16_t hashOf(const std::string& name) {
    if (name.size() == 6 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X'))
        if (const auto bytes = parseHex(name.substr(2))) return static_cast<std::uint16_t>((*bytes)[0] << 8 | (*bytes)[1]);
    return hash_name(name);
}

// Fills `request`; an empty result, else the reason the arguments are wrong.
std::string parse(const Arguments& args, RawRequest& request) {
    using Setter = std::string (*)(RawRequest&, const std::string&);
    static const std::map<std::string, Setter> kWithValue = {
        {"--port", [](RawRequest& r, const std::string& v) { r.port = v; return std::string(); }},
        {"--baud",
         [](RawRequest& r, const std::string& v) {
             const auto n = parseNumber(v, 1, 4000000);
             if (n) r.baud = static_cast<std::uint32_t>(*n);
             return n ? std::string() : "bad --baud '" + v + "'";
         }},
        {"--parity",
         [](RawRequest& r, const std::string& v) {
             static const std::map<std::string, std::uint32_t> kCodes = {{"none", 3}, {"even", 1}, {"odd", 4}};
             const auto code = kCodes.find(v);
             if (code != kCodes.end()) r.parityCode = code->second;
             return code != kCodes.end() ? std::string() : "--parity takes none, even or odd";
         }},
        {"--data-bits",
         [](RawRequest& r, const std::string& v) {
             const auto n = parseNumber(v, 0, 99);
             if (n) r.dataBits = static_cast<std::uint32_t>(*n);
             return n ? std::string() : "bad --data-bits '" + v + "'";
         }},
        {"--stop-bits",
         [](RawRequest& r, const std::string& v) {
             const auto n = parseNumber(v, 0, 99);
             if (n) r.stopBits = static_cast<std::uint32_t>(*n);
             return n ? std::string() : "bad --stop-bits '" + v + "'";
         }},
        {"--addr",
         [](RawRequest& r, const std::string& v) {
             const auto n = parseNumber(v, 0, 2047);
             if (n) r.address = static_cast<int>(*n);
             return n ? std::string() : "--addr takes 0..2047";
         }},
        {"--alen",
         [](RawRequest& r, const std::string& v) {
             if (v == "8" || v == "11") r.addressLength = v == "11" ? 11 : 8;
             return v == "8" || v == "11" ? std::string() : "--alen takes 8 or 11";
         }},
        {"--adapter",
         [](RawRequest& r, const std::string& v) {
             if (v == "auto" || v == "rts") r.adapter = v == "rts" ? kAdapterZk7 : kAdapterAuto;
             return v == "auto" || v == "rts" ? std::string() : "--adapter takes auto or rts";
         }},
        {"--data",
         [](RawRequest& r, const std::string& v) {
             r.data = parseHex(v);
             return r.data ? std::string() : "--data takes up to 15 hex bytes, e.g. 0010";
         }},
        {"--index",
         [](RawRequest& r, const std::string& v) {
             const auto n = parseNumber(v, 0, 0xFFFF);
             if (n) r.index = static_cast<int>(*n);
             return n ? std::string() : "--index takes 0..65535";
         }},
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const auto setter = kWithValue.find(arg); setter != kWithValue.end()) {
            if (i + 1 == args.size()) return arg + " needs a value";
            if (std::string error = setter->second(request, args[++i]); !error.empty()) return error;
        } else if (arg == "--read") {
            request.read = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return "unknown option '" + arg + "'";
        } else if (request.name) {
            return "more than one name: '" + *request.name + "' and '" + arg + "'";
        } else {
            request.name = arg;
        }
    }
    if (request.port.empty()) return "--port is required";
    if (!request.name) return "no parameter name given";
    if (request.read && request.data) return "--read and --data exclude each other";
    if (request.addressLength == 8 && request.address > 255) return "an 8-bit address lies in 0..255";
    const std::size_t length = (request.data ? request.data->size() : 0) + (request.index ? 2 : 0);
    if (length > 15) return "a request carries at most 15 data bytes";
    return {};
}

}  // namespace

int runRaw(const Arguments& args) {
    RawRequest request;
    if (const std::string error = parse(args, request); !error.empty()) {
        std::fprintf(stderr, "vantorctl raw: %s\n%s", error.c_str(), kRawUsage);
        return 2;
    }
    DeviceIO link;
    Sio& sio = link.sio();
    sio.portName = request.port;
    sio.baudRate = request.baud;
    sio.parityCode = request.parityCode;
    sio.dataBits = request.dataBits;
    sio.stopBits = request.stopBits;
    sio.adapterMode = request.adapter;
    if (sio.Open() != 0) {
        std::fprintf(stderr, "%s\n", FormatText(Text("IDS_STRING164"), request.port).c_str());
        return 1;
    }
    link.baseAddress = request.address;
    link.addressLength = request.addressLength;

    std::vector<std::uint8_t> data = request.data.value_or(std::vector<std::uint8_t>{});
    if (request.index) {
        data.push_back(static_cast<std::uint8_t>(*request.index >> 8));
        data.push_back(static_cast<std::uint8_t>(*request.index & 0xFF));
    }
    std::vector<std::uint8_t> reply;
    std::string errorText;
    const bool ok = link.ExchangeFrame(request.data ? 0 : 1, hashOf(*request.name), data, reply, errorText);
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
