#include "description/firmware_version.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace vantor {

namespace {

struct Part {
    long value = 0;
    bool exact = false;  // the whole piece was the number, without sign, within int
};

// One piece as "%i" reads it; nothing when it does not begin with a number.
std::optional<Part> readPart(std::string_view piece) {
    const std::string text(piece);
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (end == text.c_str()) return std::nullopt;
    const bool exact = *end == '\0' && errno == 0 && std::isdigit(static_cast<unsigned char>(text[0])) && value >= 0 &&
                       value <= INT_MAX;
    return Part{std::clamp<long>(value, INT_MIN, INT_MAX), exact};
}

}  // namespace

FirmwareVersion readFirmwareVersion(std::string_view text) {
    FirmwareVersion version;
    int* parts[] = {&version.major, &version.minor};
    int part = 0;
    std::size_t at = 0;
    while (part < 2 && at <= text.size()) {
        std::size_t end = text.find('.', at);
        if (end == std::string_view::npos) end = text.size();
        if (end > at) {
            if (const auto read = readPart(text.substr(at, end - at))) *parts[part] = static_cast<int>(read->value);
            ++part;
        }
        at = end + 1;
    }
    return version;
}

std::optional<FirmwareVersion> exactFirmwareVersion(std::string_view text) {
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const auto major = readPart(text.substr(0, dot));
    const auto minor = readPart(text.substr(dot + 1));
    if (!major || !minor || !major->exact || !minor->exact) return std::nullopt;
    return FirmwareVersion{static_cast<int>(major->value), static_cast<int>(minor->value)};
}

}  // namespace vantor
