#include "description/description_names.h"

#include <algorithm>

#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

namespace {

// A description token cannot hold a blank, so it writes "_" where a text has one.
std::string asToken(std::string text) {
    std::replace(text.begin(), text.end(), ' ', '_');
    return text;
}

}  // namespace

bool isNetworkParametersName(const std::string& name) {
    const std::string text = Text("IDS_NETWORK_PARAMETERS");
    return !text.empty() && equalsIgnoringCase(name, asToken(text));
}

bool isAdditionalOutputStatus(const std::string& name) {
    const std::string text = Text("IDS_STRING848");
    return !text.empty() && name == asToken(text);
}

}  // namespace vantor
