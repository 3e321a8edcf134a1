#include "elements/network_checks.h"

#include <cstdlib>
#include <vector>

#include "elements/object_with_parameters.h"
#include "params/type_names.h"

namespace vantor {

namespace {

long decimal(const std::string& text) { return std::atol(text.c_str()); }

// The first byte the "Prot" parameter's conversion makes of `text`: the position of a
// choice. 0 without such a parameter or when the text does not convert.
int protocolIndex(const ObjectWithParameters& element, const std::string& text) {
    const Parameter* protocol = element.FindParameter("Prot");
    if (!protocol) return 0;
    Bytes data;
    if (protocol->ConvertToData(text, data) != kConvertOk || data.empty()) return 0;
    return data[0];
}

}  // namespace

bool CheckAddressSetting(const ObjectWithParameters& element, std::string_view name, const std::string& newText,
                         const AddressValidator& isValidAddress) {
    if (equalsIgnoringCase(name, "addr")) {
        const std::string length = element.GetParameterText("A.Len");
        const int p = protocolIndex(element, element.GetParameterText("Prot"));
        const long a = decimal(newText);
        const bool fitsLength = length == "11" || a < 256;
        const bool fitsProtocol = p == 0 || a < 256;
        return fitsLength && fitsProtocol && (!isValidAddress || isValidAddress(static_cast<int>(a), length));
    }
    if (equalsIgnoringCase(name, "a.len")) return newText == "11" || decimal(element.GetParameterText("Addr")) < 256;
    if (equalsIgnoringCase(name, "prot"))
        return protocolIndex(element, newText) == 0 || decimal(element.GetParameterText("Addr")) < 256;
    return true;
}

bool CheckLineSetting(const ObjectWithParameters& element, std::string_view name, const std::string& newText) {
    const bool namesParity = equalsIgnoringCase(name, "Prty");
    const bool namesDataBits = equalsIgnoringCase(name, "LEn");
    const bool namesStopBits = equalsIgnoringCase(name, "Sbit");
    if (!namesParity && !namesDataBits && !namesStopBits) return true;
    const Parameter* parityParameter = element.FindParameter("PrtY");
    if (!parityParameter) return true;

    const std::string parity = namesParity ? newText : parityParameter->valueText;
    const long dataBits = decimal(namesDataBits ? newText : element.GetParameterText("LEn"));
    const long stopBits = decimal(namesStopBits ? newText : element.GetParameterText("Sbit"));

    const std::vector<std::string> choices = typeElements(parityParameter->type);
    const auto isChoice = [&](std::size_t i) { return i < choices.size() && parity == choices[i]; };
    if ((isChoice(1) || isChoice(2)) && dataBits == 8 && stopBits == 2) return false;
    if (isChoice(0) && dataBits == 7 && stopBits == 1) return false;
    return true;
}

}  // namespace vantor
