#include "cmdline/numbers.h"

#include <cctype>

namespace vantor::cmdline {

std::optional<double> parseReal(std::string_view text, double low, double high) {
    if (text.empty()) return std::nullopt;
    double value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !(value >= low && value <= high)) return std::nullopt;
    return value;
}

std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view text) {
    std::string digits;
    for (const char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) digits.push_back(c);
    if (digits.size() % 2) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const auto byte = parseWhole<std::uint8_t>(std::string_view(digits).substr(i, 2), 0, 0xFF, 16);
        if (!byte) return std::nullopt;
        bytes.push_back(*byte);
    }
    return bytes;
}

std::string rangeMessage(std::string_view option, std::string_view value, long long low, long long high,
                         std::string_view what) {
    return std::string(option) + " takes " + std::string(what) + " from " + std::to_string(low) + " to " +
           std::to_string(high) + ", not '" + std::string(value) + "'";
}

std::vector<std::string> splitList(std::string_view text) {
    std::vector<std::string> items;
    for (;;) {
        const std::size_t comma = text.find(',');
        items.emplace_back(text.substr(0, comma));
        if (comma == std::string_view::npos) return items;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace vantor::cmdline
