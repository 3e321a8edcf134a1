#pragma once
// The module's memory: every parameter it knows, by name hash, address offset and data
// index, with its type, limits, access attributes, value bytes and factory value.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "params/converter.h"

namespace vantor::sim {

// Access attribute bits on the wire.
constexpr std::uint8_t kAttrEditable = 0x01;
constexpr std::uint8_t kAttrUserOwned = 0x02;

struct ModuleParameter {
    std::string name;
    std::uint16_t hash = 0;
    std::string type;  // the description's type string
    int decimalPlaces = 0;
    double lowLimit = 0;
    double highLimit = 0;  // both 0: no limits
    bool indexed = false;  // the data index travels in the frame
    int dataIndex = 0;
    int addressOffset = 0;  // scanned state parameters answer at address + offset
    bool readOnly = false;  // "!" in the description: never written over the line
    bool hasAttributes = true;
    std::uint8_t attributes = kAttrEditable | kAttrUserOwned;
    std::uint8_t defaultAttributes = kAttrEditable | kAttrUserOwned;
    Bytes value;
    Bytes defaultValue;
    bool changesOverTime = false;  // a state value the module keeps moving
    std::int64_t writtenAt = 0;    // clock time of the last write (counters count from it)
};

class ParameterTable {
public:
    // Appends a parameter; the hash is computed from the name.
    ModuleParameter& add(ModuleParameter parameter);

    // Every parameter with this hash answering at this address offset.
    std::vector<ModuleParameter*> named(std::uint16_t hash, int addressOffset);
    ModuleParameter* find(const std::string& name, std::optional<int> dataIndex = std::nullopt, int addressOffset = 0);
    const ModuleParameter* find(const std::string& name, std::optional<int> dataIndex = std::nullopt,
                                int addressOffset = 0) const;

    // The highest address offset any parameter answers at.
    int maxAddressOffset() const;

    std::vector<ModuleParameter>& all() { return parameters_; }
    const std::vector<ModuleParameter>& all() const { return parameters_; }

    // Values and attributes back to the factory state.
    void restoreDefaults();

private:
    std::vector<ModuleParameter> parameters_;
};

}  // namespace vantor::sim
