#include "params/converter.h"

#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

bool modelHasReadingForms(int model) { return model == 0 || model == 7 || model == 8 || model == 12 || model == 17; }

CodecContext CodecContext::ofModel(int model) {
    CodecContext context;
    context.readingForms = modelHasReadingForms(model);
    return context;
}

MyConverter::MyConverter() : MyConverter(std::string()) {}

MyConverter::MyConverter(std::string parameterName)
    : name(std::move(parameterName)), valueText(Text("IDS_NODATA")), type(Text("IDS_UNKNOWN_TYPE")) {}

std::string MyConverter::EnumText(int index) const {
    if (index < 0) return {};
    if (type.find(':') == std::string::npos) return std::to_string(index);
    const std::vector<std::string> elements = typeElements(type);
    if (static_cast<std::size_t>(index) >= elements.size()) return Text("IDS_NODATA");
    return elements[index];
}

int MyConverter::EnumIndex(const std::string& text) const {
    const std::vector<std::string> elements = typeElements(type);
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (equalsIgnoringCase(elements[i], text)) return static_cast<int>(i);
    return -1;
}

int MyConverter::StoreFromData(const std::uint8_t* data, int count, const CodecContext& context) {
    std::string text;
    const int result = ConvertFromData(data, count, text, context);
    if (result != kConvertImpossible) valueText = text;
    return result;
}

}  // namespace vantor
