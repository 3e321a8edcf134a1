#include "sim/builtin_parameters.h"

#include "description/catalogue.h"
#include "params/module_baud_rates.h"

namespace vantor::sim {
namespace {

constexpr int kStrainGaugeOneChannel = 13;
constexpr int kStrainGaugeFourChannels = 14;

struct BuiltIn {
    const char* name;
    std::string type;
    bool readOnly;
    bool hasAttributes;
};

// Types as the configurator decodes them; the description's own entry wins. "LEn" is
// not among them: a model whose description lacks it has its data bits fixed at 8.
const BuiltIn kBuiltIns[] = {
    {"dev", "string", true, false},
    {"ver", "string", true, false},
    {"Addr", "int", false, true},
    {"A.Len", "8:11", false, true},
    {"bPS", moduleBaudRateList(":"), false, true},
    {"PrtY", "none:even:odd", false, true},
    {"Sbit", "1:2", false, true},
    // Every module takes the protocol's own APLY; its other commands are the ones its
    // description declares.
    {"APLY", "void", false, false},
};

ModuleParameter& ensure(ParameterTable& table, const BuiltIn& builtIn) {
    if (auto* existing = table.find(builtIn.name)) return *existing;
    ModuleParameter parameter;
    parameter.name = builtIn.name;
    parameter.type = builtIn.type;
    parameter.readOnly = builtIn.readOnly;
    parameter.hasAttributes = builtIn.hasAttributes;
    if (builtIn.readOnly) parameter.attributes = parameter.defaultAttributes = 0;
    return table.add(std::move(parameter));
}

void setFixed(ModuleParameter& parameter, Bytes value) {
    parameter.value = parameter.defaultValue = std::move(value);
    parameter.readOnly = true;
}

}  // namespace

Bytes reversedText(const std::string& text) { return Bytes(text.rbegin(), text.rend()); }

void addBuiltInParameters(ParameterTable& table, int model, const std::string& firmware) {
    for (const BuiltIn& builtIn : kBuiltIns) ensure(table, builtIn);
    if (model >= 0 && model < kModelCount)
        setFixed(*table.find("dev"), reversedText(modelCatalogue()[model].identification));
    setFixed(*table.find("ver"), reversedText(firmware));
    if (model == kStrainGaugeOneChannel || model == kStrainGaugeFourChannels) {
        auto& variant = ensure(table, {"tdev", "1 channel:4 channels", true, false});
        setFixed(variant, {static_cast<std::uint8_t>(model == kStrainGaugeFourChannels ? 1 : 0)});
    }
}

}  // namespace vantor::sim
