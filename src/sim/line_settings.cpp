#include "sim/line_settings.h"

#include <algorithm>
#include <cctype>

namespace vantor::sim {

int LineSettings::bitsPerCharacter() const { return 1 + dataBits + (parity == Parity::None ? 0 : 1) + stopBits; }

double LineSettings::characterMicros() const { return bitsPerCharacter() * 1e6 / baud; }

std::optional<Parity> parseParity(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "none") return Parity::None;
    if (lower == "even") return Parity::Even;
    if (lower == "odd") return Parity::Odd;
    return std::nullopt;
}

const char* parityName(Parity parity) {
    switch (parity) {
    case Parity::Even: return "even";
    case Parity::Odd: return "odd";
    default: return "none";
    }
}

}  // namespace vantor::sim
