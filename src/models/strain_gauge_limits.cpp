#include "models/strain_gauge_limits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "params/number_text.h"

namespace vantor {
namespace {

constexpr std::array<InputRange, 7> kRanges{{
    {"-4", "+4"},
    {"-7.5", "+7.5"},
    {"-15", "+15"},
    {"-35", "+35"},
    {"-70", "+70"},
    {"-140", "+140"},
    {"-300", "+300"},
}};

std::string printed(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return text;
}

}  // namespace

std::optional<InputRange> sensitivityRange(int index) {
    if (index < 0 || index >= static_cast<int>(kRanges.size())) return std::nullopt;
    return kRanges[static_cast<std::size_t>(index)];
}

bool calibrationFailed(const std::string& statusText) {
    long status = 0;
    return std::sscanf(statusText.c_str(), "%ld", &status) == 1 && (status & kCalibrationFailedBits) != 0;
}

std::optional<float> typedNumber(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    const std::optional<double> number = typedDecimal(text);
    if (!number || std::fabs(*number) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*number);
}

std::optional<UserLimits> userLimits(const CalibrationPoint& lower, const CalibrationPoint& higher) {
    const float span = higher.percent - lower.percent;
    if (span == 0.0F) return std::nullopt;
    const float signalPerPercent = (higher.signal - lower.signal) / span;
    const float unitsPerPercent = (higher.units - lower.units) / span;
    return UserLimits{
        printed(lower.signal - signalPerPercent * lower.percent),
        printed((100.0F - higher.percent) * signalPerPercent + higher.signal),
        printed(lower.units - lower.percent * unitsPerPercent),
        printed((100.0F - higher.percent) * unitsPerPercent + higher.units),
    };
}

}  // namespace vantor
