#include "params/fixed_point.h"

#include <algorithm>
#include <cmath>

namespace vantor {

int automaticDecimalPlaces(double value) {
    const double magnitude = std::fabs(value);
    int decimals = 0;
    double scale = 1;
    for (int places = 1; places <= 3; ++places) {
        scale *= 10;
        const double digit = std::fmod(std::round(magnitude * scale), 10.0);
        if (digit != 0) decimals = places;
    }
    return decimals;
}

bool encodeFixedPoint(double value, int decimals, Bytes& data) {
    data.clear();
    if (!std::isfinite(value)) return false;
    const double magnitude = std::fabs(value);
    int d = decimals == 0 ? automaticDecimalPlaces(value) : decimals;
    d = std::clamp(d, 0, 3);
    const double scaled = std::floor(magnitude * std::pow(10.0, d) + 0.0001);
    // Four bytes carry 4 + 24 bits of magnitude.
    if (scaled >= static_cast<double>(1u << 28)) return false;
    const auto m = static_cast<std::uint32_t>(scaled);
    const std::uint8_t head = static_cast<std::uint8_t>((value < 0 ? 0x80 : 0) | (d << 4));
    if (m >= 1048576) {
        data = {static_cast<std::uint8_t>(head | (m >> 24)), static_cast<std::uint8_t>(m >> 16),
                static_cast<std::uint8_t>(m >> 8), static_cast<std::uint8_t>(m)};
    } else if (m < 4096) {
        data = {static_cast<std::uint8_t>(head | (m >> 8)), static_cast<std::uint8_t>(m)};
    } else {
        data = {static_cast<std::uint8_t>(head | (m >> 16)), static_cast<std::uint8_t>(m >> 8),
                static_cast<std::uint8_t>(m)};
    }
    return true;
}

std::optional<double> decodeFixedPoint(const std::uint8_t* data, int count) {
    if (count < 1 || count > kMaxFixedPointBytes) return std::nullopt;
    std::uint64_t magnitude = data[0] & 0x0F;
    for (int i = 1; i < count; ++i) magnitude = (magnitude << 8) | data[i];
    const int decimals = (data[0] >> 4) & 0x07;
    double value = static_cast<double>(magnitude) / std::pow(10.0, decimals);
    if (data[0] & 0x80) value = -value;
    return value;
}

}  // namespace vantor
