// Parameter::SetValue: the checks a value text typed by the person must pass.

#include <cctype>
#include <cstdio>

#include "params/number_text.h"
#include "params/parameter.h"
#include "params/type_names.h"

namespace vantor {

namespace {

// At most four characters from letters, digits, ' ', '-', '/' and '_', each followed by
// at most one '.'.
bool validNetworkNameText(const std::string& text) {
    int characters = 0;
    bool dotAllowed = false;
    for (const char c : text) {
        if (c == '.') {
            if (!dotAllowed) return false;
            dotAllowed = false;
            continue;
        }
        const bool allowed =
            std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-' || c == '/' || c == '_';
        if (!allowed || ++characters > 4) return false;
        dotAllowed = true;
    }
    return true;
}

}  // namespace

bool Parameter::SetValue(const std::string& text, bool keepFullPrecision) {
    const bool limited = lowLimit != 0 || highLimit != 0;
    std::string accepted = text;

    if (equalsIgnoringCase(name, "CHAr*")) {
        if (!validNetworkNameText(text)) return false;
    } else {
        switch (classifyType(type)) {
        case TypeKind::Float:
        case TypeKind::StoredDot: {
            const std::optional<double> value = typedDecimal(text);
            if (!value) return false;
            if (limited && !(*value >= lowLimit - 0.0009 && *value <= highLimit + 0.0009)) return false;
            char formatted[400];
            std::snprintf(formatted, sizeof formatted, keepFullPrecision ? "%f" : "%.3f", *value);
            accepted = formatted;
            break;
        }
        case TypeKind::Int:
        case TypeKind::Int16: {
            const std::optional<double> value = typedDecimal(text);
            if (!value || !wholeInteger(text)) return false;
            if (limited && !(*value >= lowLimit && *value <= highLimit)) return false;
            break;
        }
        case TypeKind::Clock: {
            const std::optional<long long> seconds = clockSeconds(text);
            if (!seconds) return false;
            if (limited && !(*seconds >= lowLimit && *seconds <= highLimit)) return false;
            break;
        }
        default: break;
        }
    }
    valueText = accepted;
    valueChanged = 1;
    return true;
}

}  // namespace vantor
