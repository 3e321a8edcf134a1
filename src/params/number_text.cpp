#include "params/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vantor {

std::string_view withoutTrailingBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

std::optional<double> leadingNumber(const std::string& text) {
    double value = 0;
    if (std::sscanf(text.c_str(), "%lf", &value) != 1 || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> typedDecimal(std::string_view text) {
    text = withoutTrailingBlanks(text);
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);

    // The digits with a '.' for the separator, as from_chars reads them whatever the locale.
    std::string plain;
    bool digits = false;
    bool separator = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
        plain += c == ',' ? '.' : c;
    }
    if (!digits) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<long long> wholeInteger(std::string_view text) {
    const std::optional<double> value = typedDecimal(text);
    if (!value || std::fabs(std::fabs(*value) - std::floor(std::fabs(*value))) > 0.00001) return std::nullopt;
    // Beyond this a double no longer holds every whole number.
    if (std::fabs(*value) > 9.0e15) return std::nullopt;
    return static_cast<long long>(*value < 0 ? -std::floor(-*value) : std::floor(*value));
}

std::optional<long long> clockSeconds(std::string_view text) {
    // A text without a digit (empty, or only ":") names no time; it is not 00:00.
    if (text.find_first_of("0123456789") == std::string_view::npos) return std::nullopt;
    long long total = 0;
    bool afterColon = false;
    std::size_t followingColon = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ':') {
            afterColon = true;
            followingColon = text.size() - i - 1;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        const int factor = afterColon ? (followingColon >= 2 ? 6 : 60) : 10;
        total = total * factor + (c - '0');
        afterColon = false;
        if (total > 0xFFFFFFFFLL) return std::nullopt;  // no clock value is that large
    }
    return total;
}

}  // namespace vantor
