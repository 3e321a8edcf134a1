#include "params/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

std::optional<double> wholeTextNumber(const std::string& text) {
    const std::string trimmed(withoutTrailingBlanks(text));
    const char* begin = trimmed.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<long long> wholeInteger(const std::string& text) {
    const std::optional<double> value = wholeTextNumber(text);
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
