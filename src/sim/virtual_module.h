#pragma once
// One virtual module: a model, its network settings and firmware version, and its
// parameter table. It maps one request frame to one reply frame or to silence, the way
// a module's firmware does.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/calibration_firmware.h"
#include "sim/calibration_settings.h"
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
    // parameters, so that reading them tells what the module listens with. A model that
    // calibrates runs its family's calibration.
    VirtualModule(int model, ParameterTable table, NetworkSettings settings, const std::string& firmware,
                  const Clock& clock);
    // The calibration refers to the module's own settings and store.
    VirtualModule(const VirtualModule&) = delete;
    VirtualModule& operator=(const VirtualModule&) = delete;

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
    // Hooks that see every request before the calibration does.
    void setHooks(std::unique_ptr<ModuleHooks> hooks) { hooks_ = std::move(hooks); }
    // How the calibration behaves, live; and the coefficients it stored.
    CalibrationSettings& calibration() { return calibration_; }
    const CalibrationSettings& calibration() const { return calibration_; }
    CalibrationStore& calibrationStore() { return calibrationStore_; }
    const CalibrationStore& calibrationStore() const { return calibrationStore_; }

private:
    ModuleReply handle(const ModuleRequest& request);
    // The test's hooks first, then the calibration's.
    std::array<ModuleHooks*, 2> allHooks() const;
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
    CalibrationSettings calibration_;
    CalibrationStore calibrationStore_;
    std::unique_ptr<CalibrationFirmware> firmware_;
    bool applyAfterReply_ = false;
    int restarts_ = 0;
};

}  // namespace vantor::sim
