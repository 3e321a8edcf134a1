// MyConverter::ConvertFromData: reply bytes to the value text, by name first, then by
// type.

#include <cstdio>
#include <cstring>
#include <optional>

#include "params/converter.h"
#include "params/device_names.h"
#include "params/fixed_point.h"
#include "params/module_baud_rates.h"
#include "params/network_name.h"
#include "params/reading_status.h"
#include "params/type_names.h"
#include "platform/encoding.h"
#include "text/texts.h"

namespace vantor {

namespace {

std::string printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string printedUnsigned(unsigned long value) { return std::to_string(value); }

// The first byte when one came, else the first two, high byte first.
unsigned shortValue(const std::uint8_t* data, int count) { return count == 1 ? data[0] : (data[0] << 8) | data[1]; }

std::uint32_t bigEndian(const std::uint8_t* data, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = (value << 8) | data[i];
    return value;
}

float floatFromBytes(const std::uint8_t* bytes) {
    const std::uint32_t bits = bigEndian(bytes, 4);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The bytes in reverse order as UTF-8 text; NUL bytes (padding) are left out.
std::string reversedText(const std::uint8_t* data, int count) {
    std::string raw;
    for (int i = count - 1; i >= 0; --i)
        if (data[i] != 0) raw.push_back(static_cast<char>(data[i]));
    return raw;
}

int lengthError(int count, std::string& text) {
    text = FormatText(Text("IDS_STRING486"), count);
    return kConvertRejected;
}

int undecodable(std::string& text) {
    text = Text("IDS_NODECODING_ANSWER");
    return kConvertImpossible;
}

int decoded(std::string value, std::string& text) {
    text = std::move(value);
    return kConvertOk;
}

bool isReadingName(const std::string& name) {
    return equalsIgnoringCase(name, "rEAd") || equalsIgnoringCase(name, "iRDt") || equalsIgnoringCase(name, "iRD");
}

int decodeReading(const std::uint8_t* data, int count, const CodecContext& context, std::string& text) {
    switch (count) {
    case 1: return decoded(readingStatusText(data[0]), text);
    case 2:
    case 4: return decoded(std::to_string(static_cast<std::int16_t>(bigEndian(data, 2))), text);
    case 6: {
        const float value = floatFromBytes(data);
        return decoded(context.formatReal ? context.formatReal(value) : printed("%.3f", value), text);
    }
    default: return undecodable(text);
    }
}

// The name rules; none when the name has no rule of its own.
std::optional<int> decodeByName(const MyConverter& converter, const std::uint8_t* data, int count,
                                const CodecContext& context, std::string& text) {
    const std::string& name = converter.name;
    if (equalsIgnoringCase(name, "dev"))
        return decoded(cp1251ToUtf8(catalogueSpelling(reversedText(data, count))), text);
    if (equalsIgnoringCase(name, "ver")) return decoded(cp1251ToUtf8(reversedText(data, count)), text);
    const unsigned value = shortValue(data, count);
    if (equalsIgnoringCase(name, "bPS")) {
        if (value >= kModuleBaudRates.size()) return undecodable(text);
        return decoded(std::to_string(kModuleBaudRates[value]), text);
    }
    if (equalsIgnoringCase(name, "PrtY")) {
        if (value > 2) return undecodable(text);
        return decoded(converter.EnumText(static_cast<int>(value)), text);
    }
    if (equalsIgnoringCase(name, "Sbit")) {
        if (value > 1) return undecodable(text);
        return decoded(value == 0 ? "1" : "2", text);
    }
    if (equalsIgnoringCase(name, "Addr")) return decoded(std::to_string(value), text);
    if (isReadingName(name) && context.readingForms) return decodeReading(data, count, context, text);
    return std::nullopt;
}

}  // namespace

int MyConverter::ConvertFromData(const std::uint8_t* data, int count, std::string& text, const CodecContext& context) {
    const TypeKind kind = classifyType(type);
    // A negative length is a reply shorter than the index bytes (or "JuRD"'s trailer)
    // the exchange cuts off: there is nothing to decode, whatever the type.
    if (count < 0) return undecodable(text);
    if (count == 0 || data == nullptr) {
        if (equalsIgnoringCase(name, "APLY") || kind == TypeKind::Void) return decoded({}, text);
        return undecodable(text);
    }
    if (const std::optional<int> result = decodeByName(*this, data, count, context, text)) return *result;

    switch (kind) {
    case TypeKind::StoredDot: {
        const std::optional<double> value = decodeFixedPoint(data, count);
        if (!value) return undecodable(text);
        return decoded(printed("%.3f", *value), text);
    }
    case TypeKind::Float: {
        // "r.oe" sends the top three bytes of the float; the low byte is 0.
        if (equalsIgnoringCase(name, "r.oe") && count == 3) {
            const std::uint8_t bytes[4] = {data[0], data[1], data[2], 0};
            lastNumber = floatFromBytes(bytes);
            return decoded(printed("%.3f", *lastNumber), text);
        }
        if (count != 4) return lengthError(count, text);
        const bool allOnes = bigEndian(data, 4) == 0xFFFFFFFFu;
        const bool exponentAllOnes = (data[0] == 0x7F || data[0] == 0xFF) && (data[1] & 0x80);
        if (allOnes || exponentAllOnes) return decoded(Text("IDS_STRING485"), text);
        lastNumber = floatFromBytes(data);
        return decoded(printed("%.3f", *lastNumber), text);
    }
    case TypeKind::Int:
    case TypeKind::Int16:
        if (count != 1 && count != 2 && count != 4) return lengthError(count, text);
        return decoded(printedUnsigned(bigEndian(data, count)), text);
    case TypeKind::SInt:
    case TypeKind::SInt16:
        if (count == 1 || count == 3) return decoded(std::to_string(static_cast<std::int8_t>(data[0])), text);
        if (count == 2 || count == 4)
            return decoded(std::to_string(static_cast<std::int16_t>(bigEndian(data, 2))), text);
        return lengthError(count, text);
    case TypeKind::Clock: {
        if (count > 4) return lengthError(count, text);
        const unsigned seconds = (count == 1 || count == 3) ? data[0] : bigEndian(data, 2);
        char clock[16];
        std::snprintf(clock, sizeof clock, "%02u:%02u", seconds / 60, seconds % 60);
        return decoded(clock, text);
    }
    case TypeKind::String: return decoded(cp1251ToUtf8(reversedText(data, count)), text);
    case TypeKind::Name: {
        if (count != 4 && count != 6) return lengthError(count, text);
        std::string nameText;
        for (int i = 3; i >= 0; --i) {
            if (!appendNetworkNameCharacter(data[i], nameText)) {
                text = Text("IDS_STRING487");
                return kConvertRejected;
            }
        }
        return decoded(nameText, text);
    }
    case TypeKind::Void: return lengthError(count, text);
    case TypeKind::Enumeration: {
        const int position = static_cast<int>(shortValue(data, count));
        if (type.find(':') != std::string::npos && static_cast<std::size_t>(position) >= typeElements(type).size())
            return undecodable(text);
        return decoded(EnumText(position), text);
    }
    }
    return undecodable(text);
}

}  // namespace vantor
