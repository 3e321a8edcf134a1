#include "sim/module_line.h"

namespace vantor::sim {

ModuleLine::ModuleLine(VirtualModule& module, FaultInjector faults, std::optional<ProtocolMode> foreign)
    : module_(module), faults_(faults) {
    if (foreign) wakeup_.emplace(*foreign, module.settings().address);
}

std::vector<LineExchange> ModuleLine::receive(const std::string& bytes) {
    std::vector<LineExchange> exchanges;
    if (wakeup_ && !wakeup_->awake()) {
        // Asleep: native frames go unheard until the wake-up request comes.
        if (auto reply = wakeup_->feed(bytes)) exchanges.push_back({bytes, reply, module_.settings()});
        return exchanges;
    }
    for (std::string& frame : assembler_.feed(bytes)) {
        const NetworkSettings before = module_.settings();
        auto reply = faults_.apply(module_.answer(frame), before.addressLength);
        exchanges.push_back({std::move(frame), std::move(reply), before});
    }
    return exchanges;
}

}  // namespace vantor::sim
