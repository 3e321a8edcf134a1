#pragma once
// Where a module family adds its own behaviour (calibration jobs, meter stages)
// without the core of the module knowing about it.

#include <cstdint>
#include <optional>
#include <vector>

#include "params/converter.h"
#include "sim/parameter_table.h"

namespace vantor::sim {

// One request as the module understood it.
struct ModuleRequest {
    int addressOffset = 0;  // 0 for the module's own address, k for address + k
    bool read = true;       // the request bit
    std::uint16_t hash = 0;
    Bytes data;
};

// What the module answers: data under a hash (the request's, or "n.Err").
struct ModuleReply {
    std::uint16_t hash = 0;
    Bytes data;
};

class ModuleHooks {
public:
    virtual ~ModuleHooks() = default;
    // Sees every request addressed to the module first; an answer takes the request
    // over, nothing leaves it to the module's usual handling.
    virtual std::optional<ModuleReply> intercept(const ModuleRequest&, ParameterTable&, std::int64_t /*now*/) {
        return std::nullopt;
    }
    // Told after the module accepted a write, so that a family can start a job.
    virtual void written(ModuleParameter&, std::int64_t /*now*/) {}
};

}  // namespace vantor::sim
