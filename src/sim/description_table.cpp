#include "sim/description_table.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "description/desc_branch.h"
#include "description/tree_description.h"
#include "params/parameter.h"
#include "params/type_names.h"
#include "platform/user_interface.h"
#include "protocol/character_codes.h"
#include "protocol/name_hash.h"
#include "sim/state_values.h"

namespace vantor::sim {
namespace {

constexpr int kNetworkNameElements = 4;

// Keeps what the description loader would show the person, to report it instead.
class CollectingInterface : public SilentUserInterface {
public:
    MessageAnswer message(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageButtons buttons) override {
        if (!messages.empty()) messages += "; ";
        messages += text;
        return SilentUserInterface::message(text, caption, icon, buttons);
    }
    std::string messages;
};

// A value of the type for a parameter the description gives no usable init value.
Bytes plausibleValue(const ModuleParameter& parameter) {
    switch (classifyType(parameter.type)) {
    case TypeKind::Name: return Bytes(kNetworkNameElements, kBlankCode);
    case TypeKind::String: return {'0'};
    case TypeKind::Void: return {};
    case TypeKind::Enumeration: return {0};
    default: {
        const double low = parameter.lowLimit, high = parameter.highLimit;
        return encodeNumber(parameter, low <= 0 && high >= 0 ? 0.0 : low);
    }
    }
}

// A new module leaves the works at address 16, 9600 baud, 8 data bits, no parity, one
// stop bit and 8-bit addressing, whatever its description leaves out.
struct FactorySetting {
    const char* name;
    const char* text;
};
constexpr FactorySetting kFactorySettings[] = {
    {"Addr", "16"}, {"bPS", "9600"}, {"LEn", "8"}, {"PrtY", "none"}, {"Sbit", "1"}, {"A.Len", "8"},
};

const char* factoryText(const std::string& name) {
    for (const FactorySetting& setting : kFactorySettings)
        if (equalsIgnoringCase(name, setting.name)) return setting.text;
    return nullptr;
}

Bytes initialValue(Parameter& source, const ModuleParameter& parameter) {
    Bytes bytes;
    if (!source.configurationValue.empty() && source.ConvertToData(source.configurationValue, bytes) == kConvertOk)
        return bytes;
    if (const char* factory = factoryText(source.name); factory && source.ConvertToData(factory, bytes) == kConvertOk)
        return bytes;
    return plausibleValue(parameter);
}

ModuleParameter fromParameter(Parameter& source) {
    ModuleParameter parameter;
    parameter.name = source.name;
    parameter.type = source.type;
    parameter.decimalPlaces = source.decimalPlaces;
    parameter.lowLimit = source.lowLimit;
    parameter.highLimit = source.highLimit;
    parameter.indexed = source.indexed != 0;
    parameter.dataIndex = source.dataIndex;
    parameter.addressOffset = source.addressOffset;
    parameter.readOnly = source.userEditable == 0;
    parameter.hasAttributes = source.hasAttributes != 0;
    // What the description marks read-only belongs to the company.
    parameter.attributes = parameter.readOnly ? 0 : kAttrEditable | kAttrUserOwned;
    parameter.defaultAttributes = parameter.attributes;
    parameter.value = parameter.defaultValue = initialValue(source, parameter);
    return parameter;
}

// "CHAr*" holds a network name whose four characters the module keeps as the
// elements "CHAr", indexes base .. base+3, one character code each.
void addNetworkNameElements(ParameterTable& table, const ModuleParameter& name) {
    MyConverter codec("CHAr*");
    codec.type = "name";
    Bytes codes;
    if (name.defaultValue.size() == kNetworkNameElements) codes = name.defaultValue;
    std::string text;
    for (int i = 0; i < kNetworkNameElements; ++i) {
        ModuleParameter element;
        element.name = "CHAr";
        element.type = "int";
        element.lowLimit = 0;
        element.highLimit = kHighestCharacterCode;
        element.indexed = true;
        element.dataIndex = name.dataIndex + i;
        element.addressOffset = name.addressOffset;
        element.hasAttributes = name.hasAttributes;
        element.attributes = element.defaultAttributes = name.attributes;
        // The name type stores its codes last first.
        const std::uint8_t code = codes.empty() ? kBlankCode : codes[kNetworkNameElements - 1 - i];
        element.value = element.defaultValue = {code};
        table.add(std::move(element));
    }
}

void collect(const DescBranch& branch, bool sampled, ParameterTable& table,
             std::set<std::tuple<std::uint16_t, int, int>>& seen) {
    branch.ForEachMember(
        [&](Parameter& source) {
            ModuleParameter parameter = fromParameter(source);
            parameter.changesOverTime = sampled;
            if (equalsIgnoringCase(parameter.name, "CHAr*")) {
                parameter.type = "name";
                parameter.value = parameter.defaultValue = initialValue(source, parameter);
                addNetworkNameElements(table, parameter);
                return;
            }
            // The same parameter twice (a name several branches share) is one in the module.
            const auto key = std::make_tuple(hash_name(parameter.name), parameter.addressOffset,
                                             parameter.indexed ? parameter.dataIndex : -1);
            if (seen.insert(key).second) table.add(std::move(parameter));
        },
        [&](DescBranch& sub) { collect(sub, sampled, table, seen); });
}

// What the description declares but places in no branch (one-shot commands,
// calibration functions) the module knows all the same, at its own address.
void collectUnplaced(const std::vector<DescParameter>& declared, ParameterTable& table,
                     std::set<std::tuple<std::uint16_t, int, int>>& seen) {
    const auto known = [&](const std::string& name) {
        const std::uint16_t hash = hash_name(name);
        return std::any_of(table.all().begin(), table.all().end(), [&](auto& p) { return p.hash == hash; });
    };
    DescBranch unplaced("", 1, 1, 0, 0);
    for (const DescParameter& parameter : declared)
        if (!known(parameter.name.starts_with('!') ? parameter.name.substr(1) : parameter.name))
            unplaced.addParameterMember(parameter);
    SilentUserInterface leftOut;  // a parameter that cannot be made is left out of the table
    unplaced.Build(false, 0, leftOut);
    collect(unplaced, false, table, seen);
}

}  // namespace

ParameterTable tableFromTrees(const DescBranch* root, const DescBranch* scanners,
                              const std::vector<DescParameter>& declared) {
    ParameterTable table;
    std::set<std::tuple<std::uint16_t, int, int>> seen;
    if (root) collect(*root, false, table, seen);
    if (scanners) collect(*scanners, true, table, seen);
    collectUnplaced(declared, table, seen);
    // What the module samples moves under its other names too (an indexed "rEAd").
    std::set<std::uint16_t> sampledNames;
    for (const auto& parameter : table.all())
        if (parameter.changesOverTime) sampledNames.insert(parameter.hash);
    for (auto& parameter : table.all())
        if (sampledNames.count(parameter.hash)) parameter.changesOverTime = true;
    return table;
}

std::optional<ParameterTable> tableFromDescription(int model, const std::string& descriptionFile,
                                                   const std::string& firmware, std::string& error) {
    CollectingInterface collecting;
    TreeDescription description(collecting);
    description.descriptionFile = descriptionFile;
    description.deviceVersion = readFirmwareVersion(firmware);
    const bool loaded = description.LoadTreeDescription(model);

    if (!loaded || !collecting.messages.empty()) {
        error = collecting.messages.empty()
                    ? "no description of model " + std::to_string(model) + " in " + descriptionFile
                    : collecting.messages;
        return std::nullopt;
    }
    return tableFromTrees(description.rootBranch, description.scannersBranch, description.descriptionParameters);
}

}  // namespace vantor::sim
