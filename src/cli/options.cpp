#include "cli/options.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace vantor::cli {

std::string Options::parse(const Arguments& args, std::vector<std::string>& words) const {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() <= 2 || arg.compare(0, 2, "--") != 0) {
            if (!optionsEnded && arg == "--")
                optionsEnded = true;
            else
                words.push_back(arg);
            continue;
        }
        if (const auto flag = flags_.find(arg); flag != flags_.end()) {
            flag->second();
        } else if (const auto value = values_.find(arg); value != values_.end()) {
            if (i + 1 == args.size()) return arg + " needs a value";
            if (std::string error = value->second(args[++i]); !error.empty()) return error;
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    return {};
}

int usageError(const char* command, const std::string& reason, const char* usage) {
    std::fprintf(stderr, "vantorctl %s: %s\n%s", command, reason.c_str(), usage);
    return 2;
}

std::optional<long> parseInteger(const std::string& text, long low, long high) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
    return value;
}

std::optional<std::vector<std::uint8_t>> parseHexBytes(const std::string& text) {
    std::string digits;
    for (const char c : text) {
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

}  // namespace vantor::cli
