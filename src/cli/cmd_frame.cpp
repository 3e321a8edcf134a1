#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"

namespace vantor::cli {

extern const char kFrameUsage[] =
    "usage: vantorctl frame [--addr N] [--alen 8|11] [--offset K] [--read | --data HEX]\n"
    "                       [--index I] NAME\n"
    "Prints the request frame for parameter NAME as it goes on the line, without the\n"
    "final carriage return.\n"
    "  --addr N     module address (default 16)\n"
    "  --alen 8|11  address bits on the wire (default 8)\n"
    "  --offset K   address offset added to N; -1 sends to address 255\n"
    "  --read       read request without data (the default)\n"
    "  --data HEX   write request carrying these bytes, e.g. \"00 10\" or 0010\n"
    "  --index I    append the data index I (0..65535) as two bytes, high byte first\n";

namespace {

struct FrameRequest {
    int address = 16;
    int addressLength = 8;
    int offset = 0;
    bool read = false;
    std::optional<std::vector<std::uint8_t>> data;
    std::optional<int> index;
    std::optional<std::string> name;
};

std::optional<int> parseInteger(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty()) return std::nullopt;
    return value;
}

std::optional<std::vector<std::uint8_t>> parseHex(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits.push_back(c);
    }
    if (digits.size() % 2) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

int usageError(const std::string& reason) {
    std::fprintf(stderr, "vantorctl frame: %s\n%s", reason.c_str(), kFrameUsage);
    return 2;
}

// Fills `request` from the arguments; an empty result, else the reason they are wrong.
std::string parse(const Arguments& args, FrameRequest& request) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--addr" || arg == "--alen" || arg == "--offset" || arg == "--data" || arg == "--index";
        if (takesValue && i + 1 == args.size()) return arg + " needs a value";
        const std::string value = takesValue ? args[++i] : std::string();
        if (arg == "--addr" || arg == "--offset" || arg == "--index" || arg == "--alen") {
            const auto number = parseInteger(value);
            if (!number) return "not a number for " + arg + ": '" + value + "'";
            if (arg == "--addr") request.address = *number;
            if (arg == "--offset") request.offset = *number;
            if (arg == "--alen") {
                if (*number != 8 && *number != 11) return "--alen must be 8 or 11";
                request.addressLength = *number;
            }
            if (arg == "--index") {
                if (*number < 0 || *number > 0xFFFF) return "--index must be 0..65535";
                request.index = *number;
            }
        } else if (arg == "--data") {
            request.data = parseHex(value);
            if (!request.data) return "not hex bytes: '" + value + "'";
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
    if (!request.name) return "no parameter name given";
    if (request.read && request.data) return "--read and --data exclude each other";
    return {};
}

}  // namespace

int runFrame(const Arguments& args) {
    FrameRequest request;
    if (const std::string error = parse(args, request); !error.empty()) return usageError(error);

    FrameFields fields;
    fields.address = wireAddress(request.address, request.offset);
    fields.addressLength = request.addressLength;
    const int highest = isElevenBitAddressing(request.addressLength) ? 2047 : 255;
    if (fields.address < 0 || fields.address > highest)
        return usageError("address " + std::to_string(fields.address) + " is outside 0.." + std::to_string(highest));
    fields.requestBit = !request.data;
    fields.hash = hash_name(*request.name);
    if (request.data) fields.data = *request.data;
    if (request.index) {
        fields.data.push_back(static_cast<std::uint8_t>(*request.index >> 8));
        fields.data.push_back(static_cast<std::uint8_t>(*request.index & 0xFF));
    }
    const auto frame = BuildFrame(fields);
    if (!frame) return usageError("at most 15 data bytes fit in a frame");
    std::printf("%s\n", frame->substr(0, frame->size() - 1).c_str());
    return 0;
}

}  // namespace vantor::cli
