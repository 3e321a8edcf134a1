#include "sim/state_values.h"

#include <bit>
#include <cmath>
#include <numbers>

#include "params/type_names.h"
#include "sim/value_rules.h"

namespace vantor::sim {
namespace {

constexpr std::int64_t kCountPeriodMs = 1000;  // a counter counts once a second
constexpr std::int64_t kBitPeriodMs = 1000;    // status bits move on once a second
constexpr double kDriftPeriodMs = 10000;       // analog readings swing over ten seconds
constexpr int kStatusBits = 4;

int channelOf(const ModuleParameter& parameter) {
    return parameter.indexed ? parameter.dataIndex : parameter.addressOffset;
}

bool isReading(const ModuleParameter& parameter) {
    return equalsIgnoringCase(parameter.name, "rEAd") || equalsIgnoringCase(parameter.name, "iRDt") ||
           equalsIgnoringCase(parameter.name, "iRD");
}

Bytes bigEndian(std::uint32_t number, int bytes) {
    Bytes out;
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    return out;
}

}  // namespace

StateKind stateKind(const ModuleParameter& parameter) {
    if (!parameter.changesOverTime) return StateKind::Fixed;
    const std::string lower = [&] {
        std::string text = parameter.name;
        for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    }();
    if (lower.find("cou") != std::string::npos) return StateKind::Counter;
    // What the person may write (outputs, settings) stays as written.
    if (!parameter.readOnly) return StateKind::Fixed;
    switch (classifyType(parameter.type)) {
    case TypeKind::Float:
    case TypeKind::StoredDot:
    case TypeKind::SInt:
    case TypeKind::SInt16: return StateKind::Analog;
    case TypeKind::Int:
    case TypeKind::Int16:
    case TypeKind::Enumeration: return StateKind::Bits;
    default: return StateKind::Fixed;
    }
}

Bytes encodeNumber(const ModuleParameter& parameter, double number) {
    switch (classifyType(parameter.type)) {
    case TypeKind::Float: {
        Bytes bytes = bigEndian(std::bit_cast<std::uint32_t>(static_cast<float>(number)), 4);
        if (parameter.name == "r.oe") bytes.pop_back();
        return bytes;
    }
    case TypeKind::StoredDot: {
        MyConverter codec(parameter.name);
        codec.type = "STORED_DOT";
        codec.decimalPlaces = parameter.decimalPlaces ? parameter.decimalPlaces : 2;
        Bytes bytes;
        char text[64];
        std::snprintf(text, sizeof text, "%.3f", number);
        codec.ConvertToData(text, bytes);
        return bytes;
    }
    case TypeKind::SInt:
    case TypeKind::SInt16:
        return bigEndian(static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(number))), 2);
    case TypeKind::Int16:
    case TypeKind::Clock: return bigEndian(static_cast<std::uint32_t>(std::llround(number)), 2);
    case TypeKind::Enumeration: return bigEndian(static_cast<std::uint32_t>(std::llround(number)), 1);
    default: {
        const auto whole = static_cast<std::uint32_t>(std::llround(number));
        return bigEndian(whole, whole > 0xFFFF ? 4 : 2);
    }
    }
}

namespace {

// The bytes of the state kind at clock time `now`, before any reply form of the model.
Bytes movedValue(const ModuleParameter& parameter, std::int64_t now) {
    const int channel = channelOf(parameter);
    switch (stateKind(parameter)) {
    case StateKind::Counter: {
        const double start = numericValue(parameter, parameter.value);
        const std::int64_t wholePeriods = (now - parameter.writtenAt) / kCountPeriodMs;
        return encodeNumber(parameter, start + static_cast<double>(wholePeriods));
    }
    case StateKind::Analog: {
        const double centre = numericValue(parameter, parameter.value);
        const double swing = std::max(1.0, std::fabs(centre) * 0.05);
        const double phase = 2 * std::numbers::pi * (static_cast<double>(now) / kDriftPeriodMs) + channel;
        return encodeNumber(parameter, centre + swing * std::sin(phase));
    }
    case StateKind::Bits: {
        const std::int64_t step = now / kBitPeriodMs + channel;
        if (classifyType(parameter.type) == TypeKind::Enumeration) {
            const auto choices = static_cast<std::int64_t>(typeElements(parameter.type).size());
            return {static_cast<std::uint8_t>(step % std::max<std::int64_t>(choices, 1))};
        }
        return {static_cast<std::uint8_t>(1u << (step % kStatusBits))};
    }
    case StateKind::Fixed: break;
    }
    return parameter.value;
}

}  // namespace

Bytes stateValue(const ModuleParameter& parameter, std::int64_t now, int model) {
    Bytes bytes = movedValue(parameter, now);
    // These models answer a float reading with two status bytes after it: their
    // readings of 2 or 4 bytes are whole numbers.
    if (isReading(parameter) && classifyType(parameter.type) == TypeKind::Float && modelHasReadingForms(model) &&
        bytes.size() == 4)
        bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

}  // namespace vantor::sim
