#pragma once
// The module as the line sees it: bytes in, replies out. It cuts the byte stream into
// frames, waits for the foreign wake-up when the module sleeps in a foreign protocol,
// lets the module answer, and puts the configured faults into the replies.

#include <optional>
#include <string>
#include <vector>

#include "sim/faults.h"
#include "sim/foreign_wakeup.h"
#include "sim/frame_assembler.h"
#include "sim/virtual_module.h"

namespace vantor::sim {

// One frame (or foreign request) received and what the module does about it.
struct LineExchange {
    std::string received;
    std::optional<std::string> reply;
    NetworkSettings replySettings;  // the settings the reply leaves with
};

class ModuleLine {
public:
    ModuleLine(VirtualModule& module, FaultInjector faults, std::optional<ProtocolMode> foreign = std::nullopt);

    std::vector<LineExchange> receive(const std::string& bytes);
    bool inFrame() const { return assembler_.inFrame(); }
    VirtualModule& module() { return module_; }
    int extraDelayMs() const { return faults_.delayMs(); }

private:
    VirtualModule& module_;
    FaultInjector faults_;
    FrameAssembler assembler_;
    std::optional<ForeignWakeup> wakeup_;
};

}  // namespace vantor::sim
