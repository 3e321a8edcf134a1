#pragma once
// One virtual module: a model, its network settings and firmware version, and its
// parameter table. It maps one request frame to one reply frame or to silence, the way
// a module's firmware does.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/clock.h"
#include "sim/line_settings.h"
#include "sim/module_hooks.h"
#include "sim/parameter_table.h"

namespace vantor::sim {

// The settings the module listens with.
struct NetworkSettings {
    int address = 1;
    int addressLength = 8;  // 8 or 11
    LineSettings line;

    bool operator==(const NetworkSettings&) const = default;
};

class VirtualModule {
public:
    // `table` holds the model's description parameters; the module adds what every
    // module has ("dev", "ver", the network settings, APLY) and stores `settings` into the network
    // parameters, so that reading them tells what the module listens with.
    VirtualModule(int model, ParameterTable table, NetworkSettings settings, const std::string& firmware,
                  const Clock& clock);

    // Answers one frame as it came off the line, "#" to carriage return: the reply's
    // characters, or nothing when the module stays silent.
    std::optional<std::string> answer(std::string_view frame);

    // The reply frame the module sends from address + offset.
    std::string buildReply(int addressOffset, const ModuleReply& reply) const;

    const NetworkSettings& settings() const { return active_; }
    // The network settings as written but not yet applied (APLY or INIT applies them).
    NetworkSettings pendingSettings() const;
    int model() const { return model_; }
    ParameterTable& parameters() { return table_; }
    const ParameterTable& parameters() const { return table_; }
    // Times the module restarted (INIT).
    int restarts() const { return restarts_; }
    void setHooks(std::unique_ptr<ModuleHooks> hooks) { hooks_ = std::move(hooks); }

private:
    ModuleReply handle(const ModuleRequest& request);
    ModuleReply exchangeAttributes(const ModuleRequest& request);
    ModuleReply exchangeValue(const ModuleRequest& request);
    void runCommand(const ModuleParameter& command);
    void broadcast(const ModuleRequest& request);
    void storeSettings(const NetworkSettings& settings);

    int model_;
    ParameterTable table_;
    NetworkSettings active_;
    const Clock& clock_;
    std::unique_ptr<ModuleHooks> hooks_;
    bool applyAfterReply_ = false;
    int restarts_ = 0;
};

}  // namespace vantor::sim
