#include "sim/value_rules.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "params/module_baud_rates.h"
#include "params/type_names.h"
#include "protocol/character_codes.h"
#include "sim/device_errors.h"

namespace vantor::sim {
namespace {

constexpr double kRealTolerance = 0.0009;

struct LengthRange {
    std::size_t least;
    std::size_t most;
};

// Data bytes a write of the type carries; nothing for types that cannot be written.
std::optional<LengthRange> writableLengths(const ModuleParameter& parameter, TypeKind kind) {
    switch (kind) {
    case TypeKind::StoredDot: return LengthRange{2, 4};
    case TypeKind::Float: return parameter.name == "r.oe" ? LengthRange{3, 3} : LengthRange{4, 4};
    case TypeKind::Int:
    case TypeKind::Clock: return LengthRange{1, 2};
    case TypeKind::Int16: return LengthRange{2, 2};
    case TypeKind::Enumeration: return LengthRange{1, 1};
    case TypeKind::Name: return LengthRange{4, 4};
    case TypeKind::Void: return LengthRange{0, 0};
    default: return std::nullopt;  // signed readings and texts are the module's own
    }
}

// Network settings take a code from a fixed list whatever the description's type says.
std::optional<unsigned> highestCode(const ModuleParameter& parameter) {
    if (equalsIgnoringCase(parameter.name, "bPS")) return static_cast<unsigned>(kModuleBaudRates.size() - 1);
    if (equalsIgnoringCase(parameter.name, "PrtY")) return 2;
    if (equalsIgnoringCase(parameter.name, "Sbit")) return 1;
    return std::nullopt;
}

unsigned unsignedValue(const Bytes& value) {
    unsigned number = 0;
    for (auto byte : value) number = number << 8 | byte;
    return number;
}

bool hasLimits(const ModuleParameter& parameter) { return parameter.lowLimit != 0 || parameter.highLimit != 0; }

}  // namespace

double numericValue(const ModuleParameter& parameter, const Bytes& value) {
    if (value.empty()) return 0;
    switch (classifyType(parameter.type)) {
    case TypeKind::StoredDot: {
        double magnitude = value[0] & 0x0F;
        for (std::size_t i = 1; i < value.size(); ++i) magnitude = magnitude * 256 + value[i];
        const double number = magnitude / std::pow(10.0, (value[0] >> 4) & 0x07);
        return (value[0] & 0x80) ? -number : number;
    }
    case TypeKind::Float: {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < 4; ++i) bits = bits << 8 | (i < value.size() ? value[i] : 0);
        return std::bit_cast<float>(bits);
    }
    case TypeKind::SInt:
    case TypeKind::SInt16:
        return value.size() % 2 ? static_cast<std::int8_t>(value[0])
                                : static_cast<std::int16_t>(value[0] << 8 | value[1]);
    default: return unsignedValue(value);
    }
}

std::uint8_t checkWrite(const ModuleParameter& parameter, const Bytes& value) {
    const TypeKind kind = classifyType(parameter.type);
    const auto lengths = writableLengths(parameter, kind);
    if (!lengths) return kErrReadOnly;
    if (value.size() < lengths->least || value.size() > lengths->most) return kErrDataLength;

    if (const auto highest = highestCode(parameter); highest && unsignedValue(value) > *highest)
        return kErrValueForbidden;
    switch (kind) {
    case TypeKind::Enumeration: return value[0] < typeElements(parameter.type).size() ? 0 : kErrValueForbidden;
    case TypeKind::Name:
        for (auto code : value)
            if (code > kHighestCharacterCode) return kErrValueForbidden;
        return 0;
    case TypeKind::Void: return 0;
    case TypeKind::StoredDot:
    case TypeKind::Float: {
        const double number = numericValue(parameter, value);
        if (!std::isfinite(number)) return kErrRealOutOfRange;
        if (hasLimits(parameter) &&
            (number < parameter.lowLimit - kRealTolerance || number > parameter.highLimit + kRealTolerance))
            return kErrRealOutOfRange;
        return 0;
    }
    default: {
        const double number = numericValue(parameter, value);
        if (hasLimits(parameter) && (number < parameter.lowLimit || number > parameter.highLimit))
            return kErrValueForbidden;
        return 0;
    }
    }
}

}  // namespace vantor::sim
