// MyConverter::ConvertToData: a value text to the data bytes of a write, by name first,
// then by type.

#include <cmath>
#include <cstring>
#include <limits>

#include "params/converter.h"
#include "params/fixed_point.h"
#include "params/network_name.h"
#include "params/number_text.h"
#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

namespace {

bool isOneOf(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names)
        if (equalsIgnoringCase(name, candidate)) return true;
    return false;
}

// The low 16 bits: one byte below 256 unless two are required, else high byte first.
void shortValueBytes(long long value, bool alwaysTwo, Bytes& data) {
    const auto low = static_cast<std::uint16_t>(value);
    if (low < 256 && !alwaysTwo)
        data = {static_cast<std::uint8_t>(low)};
    else
        data = {static_cast<std::uint8_t>(low >> 8), static_cast<std::uint8_t>(low)};
}

int impossible(std::string* reason) {
    if (reason) *reason = Text("IDS_STRING461");
    return kConvertImpossible;
}

int rejected(std::string* reason, std::string message) {
    if (reason) *reason = std::move(message);
    return kConvertRejected;
}

}  // namespace

int MyConverter::ConvertToData(const std::string& text, Bytes& data, std::string* reason) const {
    data.clear();
    if (isOneOf(name, {"dev", "ver", "exit"})) return rejected(reason, FormatText(Text("IDS_STRING460"), name));
    if (isOneOf(name, {"U.Apl", "UApl"})) return kConvertOk;
    // The value text is taken whole or not at all: a cut text would write another value.
    if (text.size() > kMaxValueText) return impossible(reason);

    switch (classifyType(type)) {
    case TypeKind::StoredDot:
    case TypeKind::Float: {
        const std::optional<double> value = typedDecimal(text);
        if (!value) return impossible(reason);
        if (classifyType(type) == TypeKind::StoredDot)
            return encodeFixedPoint(*value, decimalPlaces, data) ? kConvertOk : impossible(reason);
        if (std::fabs(*value) > std::numeric_limits<float>::max()) return impossible(reason);
        const float single = static_cast<float>(*value);
        std::uint32_t bits;
        std::memcpy(&bits, &single, sizeof bits);
        data = {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
                static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
        // Only the exact name "r.oe" takes the short three-byte form.
        if (name == "r.oe") data.pop_back();
        return kConvertOk;
    }
    case TypeKind::Int:
    case TypeKind::Int16: {
        const std::optional<long long> value = wholeInteger(text);
        if (!value) return impossible(reason);
        const bool alwaysTwo =
            classifyType(type) == TypeKind::Int16 || isOneOf(name, {"Addr", "SoUr", "Alr.t", "tHP", "tP.H", "CLB.K"});
        shortValueBytes(*value, alwaysTwo, data);
        return kConvertOk;
    }
    case TypeKind::Clock: {
        const std::optional<long long> seconds = clockSeconds(withoutTrailingBlanks(text));
        if (!seconds) return rejected(reason, Text("IDS_STRING461"));
        if (*seconds > 0xFFFF) return impossible(reason);  // two bytes hold no more
        shortValueBytes(*seconds, isOneOf(name, {"Alr.t", "tHP", "tP.H"}), data);
        return kConvertOk;
    }
    // Signed readings are the module's own: no text encodes to them. Texts have no setter.
    case TypeKind::SInt:
    case TypeKind::SInt16: return impossible(reason);
    case TypeKind::String: return rejected(reason, FormatText(Text("IDS_STRING460"), name));
    case TypeKind::Name: {
        NetworkNameCodes codes;
        const NetworkNameError error = encodeNetworkName(text, codes);
        if (error != NetworkNameError::None) return rejected(reason, nameTypeMessage(error));
        data.assign(codes.rbegin(), codes.rend());
        return kConvertOk;
    }
    case TypeKind::Void: return kConvertOk;
    case TypeKind::Enumeration: {
        const int position = EnumIndex(text);
        if (position < 0 || position > 126) return impossible(reason);
        data = {static_cast<std::uint8_t>(position)};
        return kConvertOk;
    }
    }
    return impossible(reason);
}

}  // namespace vantor
