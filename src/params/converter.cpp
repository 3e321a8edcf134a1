#include "params/converter.h"

#include <cstdio>
#include <mutex>

#include "params/type_names.h"
#include "text/texts.h"

namespace vantor {

namespace {

// The device model sets these on the user-interface thread while the link threads may
// be decoding, so each call works on a copy taken under the lock.
struct ModelHooks {
    std::mutex lock;
    RealValueFormatter formatter;
    ReadingModelTest readingTest;
};

ModelHooks& modelHooks() {
    static ModelHooks hooks;
    return hooks;
}

template <typename Hook>
Hook copyOf(const Hook& hook) {
    std::lock_guard<std::mutex> guard(modelHooks().lock);
    return hook;
}

// KQ-01, KQ-08, KQ-09, KQ-13 and KQ-19 by catalogue index.
bool defaultReadingModels(int model) { return model == 0 || model == 7 || model == 8 || model == 12 || model == 17; }

}  // namespace

void setRealValueFormatter(RealValueFormatter formatter) {
    std::lock_guard<std::mutex> guard(modelHooks().lock);
    modelHooks().formatter = std::move(formatter);
}

std::string formatRealValue(double value) {
    if (const RealValueFormatter formatter = copyOf(modelHooks().formatter)) return formatter(value);
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

void setReadingModelTest(ReadingModelTest test) {
    std::lock_guard<std::mutex> guard(modelHooks().lock);
    modelHooks().readingTest = std::move(test);
}

bool modelHasReadingForms(int model) {
    if (const ReadingModelTest test = copyOf(modelHooks().readingTest)) return test(model);
    return defaultReadingModels(model);
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

int MyConverter::StoreFromData(const std::uint8_t* data, int count) {
    std::string text;
    const int result = ConvertFromData(data, count, text);
    if (result != kConvertImpossible) valueText = text;
    return result;
}

}  // namespace vantor
