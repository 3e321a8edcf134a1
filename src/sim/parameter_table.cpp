#include "sim/parameter_table.h"

#include <algorithm>
#include <utility>

#include "params/type_names.h"
#include "protocol/name_hash.h"

namespace vantor::sim {

ModuleParameter& ParameterTable::add(ModuleParameter parameter) {
    parameter.hash = hash_name(parameter.name);
    parameters_.push_back(std::move(parameter));
    return parameters_.back();
}

std::vector<ModuleParameter*> ParameterTable::named(std::uint16_t hash, int addressOffset) {
    std::vector<ModuleParameter*> found;
    for (auto& parameter : parameters_)
        if (parameter.hash == hash && parameter.addressOffset == addressOffset) found.push_back(&parameter);
    return found;
}

const ModuleParameter* ParameterTable::find(const std::string& name, std::optional<int> dataIndex,
                                            int addressOffset) const {
    for (const auto& parameter : parameters_) {
        if (!equalsIgnoringCase(parameter.name, name) || parameter.addressOffset != addressOffset) continue;
        if (dataIndex && (!parameter.indexed || parameter.dataIndex != *dataIndex)) continue;
        return &parameter;
    }
    return nullptr;
}

ModuleParameter* ParameterTable::find(const std::string& name, std::optional<int> dataIndex, int addressOffset) {
    return const_cast<ModuleParameter*>(std::as_const(*this).find(name, dataIndex, addressOffset));
}

int ParameterTable::maxAddressOffset() const {
    int highest = 0;
    for (const auto& parameter : parameters_) highest = std::max(highest, parameter.addressOffset);
    return highest;
}

void ParameterTable::restoreDefaults() {
    for (auto& parameter : parameters_) {
        parameter.value = parameter.defaultValue;
        parameter.attributes = parameter.defaultAttributes;
    }
}

}  // namespace vantor::sim
