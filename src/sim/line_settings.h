#pragma once
// The character format and speed of the module's serial line, and how long one
// character takes on it.

#include <optional>
#include <string>

namespace vantor::sim {

enum class Parity { None, Even, Odd };

struct LineSettings {
    int baud = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;

    // Bits one character occupies: start + data + parity + stop.
    int bitsPerCharacter() const;
    // Microseconds one character takes at this baud rate.
    double characterMicros() const;

    bool operator==(const LineSettings&) const = default;
};

// "none", "even", "odd" (any letter case); nothing for any other text.
std::optional<Parity> parseParity(const std::string& text);
const char* parityName(Parity parity);

}  // namespace vantor::sim
