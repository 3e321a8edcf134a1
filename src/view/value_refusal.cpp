#include "view/value_refusal.h"

#include "params/parameter.h"
#include "platform/string_utils.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui {

std::string LimitText(double limit, RefusalSource source) {
    std::string text = FormatTextArgs(source == RefusalSource::TreeRow ? "%f" : "%.f", limit);
    if (text.find('.') == std::string::npos) return text;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

std::string ValueRefusalMessage(const Parameter& parameter, const std::string& text, RefusalSource source) {
    std::string message =
        FormatTextArgs(Text("IDS_STRING219"), parameter.name.c_str(), parameter.description.c_str(), text.c_str());
    if (equalsIgnoringCase(parameter.name, "CHAr*"))
        message += Text(source == RefusalSource::TreeRow ? "IDS_STRING715" : "IDS_STRING714");
    if (parameter.lowLimit != 0 || parameter.highLimit != 0)
        message += FormatTextArgs(Text("IDS_STRING220"), parameter.TypeDescription().c_str(),
                                  LimitText(parameter.lowLimit, source).c_str(),
                                  LimitText(parameter.highLimit, source).c_str());
    return message;
}

}  // namespace vantor::gui
