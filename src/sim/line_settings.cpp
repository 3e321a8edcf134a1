#include "sim/line_settings.h"

#include "platform/string_utils.h"

namespace vantor::sim {

int LineSettings::bitsPerCharacter() const { return 1 + dataBits + (parity == Parity::None ? 0 : 1) + stopBits; }

double LineSettings::characterMicros() const { return bitsPerCharacter() * 1e6 / baud; }

std::optional<Parity> parseParity(const std::string& text) {
    for (const Parity parity : {Parity::None, Parity::Even, Parity::Odd})
        if (equalsIgnoringCase(text, parityName(parity))) return parity;
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
