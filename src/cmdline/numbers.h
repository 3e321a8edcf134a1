#pragma once
// Numbers as a command line gives them: the whole text one number within a range, or
// nothing. No leading blanks or '+', no trailing characters, no silent wrap-around.

#include <charconv>
#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::cmdline {

// A whole number in `base` (digits only, '-' first for a negative one) within
// [low, high].
template <std::integral T>
std::optional<T> parseWhole(std::string_view text, T low, T high, int base = 10) {
    if (text.empty()) return std::nullopt;
    T value{};
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc() || stop != end || value < low || value > high) return std::nullopt;
    return value;
}

// A real number ("0.25", "1e-3") within [low, high]; never NaN.
std::optional<double> parseReal(std::string_view text, double low, double high);

// Pairs of hex digits, blanks between the pairs optional ("00 10" or "0010").
std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view text);

// "OPTION takes WHAT from LOW to HIGH, not 'VALUE'".
std::string rangeMessage(std::string_view option, std::string_view value, long long low, long long high,
                         std::string_view what = "a whole number");

// The items of a comma-separated list, empty ones included ("a,,b" is three).
std::vector<std::string> splitList(std::string_view text);

}  // namespace vantor::cmdline
