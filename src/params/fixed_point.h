#pragma once
// The module's signed fixed-point form ("STORED_DOT"). Byte 0: bit 7 sign, bits 6..4
// the number of decimal places, bits 3..0 the top of the magnitude; the bytes after it
// continue the magnitude, high byte first.

#include <cstdint>
#include <optional>

#include "params/converter.h"

namespace vantor {

// The longest fixed-point reply that is decoded.
constexpr int kMaxFixedPointBytes = 8;

// Decimal places chosen for |value| when none are set: the last non-zero digit among
// the first three decimals, each tested on the value rounded to that many places.
int automaticDecimalPlaces(double value);

// Encodes `value` with `decimals` places (0 = automatic, then clamped to 0..3) into 2,
// 3 or 4 bytes. False when the value is not finite or its magnitude needs more than
// 28 bits.
bool encodeFixedPoint(double value, int decimals, Bytes& data);

// The value of 1..8 fixed-point bytes, or none for any other length.
std::optional<double> decodeFixedPoint(const std::uint8_t* data, int count);

}  // namespace vantor
