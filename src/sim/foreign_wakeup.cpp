#include "sim/foreign_wakeup.h"

#include <vector>

namespace vantor::sim {

ForeignWakeup::ForeignWakeup(ProtocolMode mode, int address) {
    std::vector<std::uint8_t> message{static_cast<std::uint8_t>(address)};
    const auto command = NativeModeRequest(mode);
    message.insert(message.end(), command.begin(), command.end());
    request_ = WrapForeign(mode, message, ForeignDirection::Request);
    // Modbus echoes a coil write; DCON acknowledges with "!" and the address alone.
    if (mode != ProtocolMode::Dcon)
        reply_ = WrapForeign(mode, message, ForeignDirection::Reply);
    else
        reply_ = WrapForeign(mode, std::vector<std::uint8_t>{message[0]}, ForeignDirection::Reply);
}

std::optional<std::string> ForeignWakeup::feed(const std::string& bytes) {
    if (awake_) return std::nullopt;
    recent_ += bytes;
    // Modbus RTU has no end mark: look for the whole request anywhere in what came.
    if (recent_.find(request_) != std::string::npos) {
        awake_ = true;
        recent_.clear();
        return reply_;
    }
    const std::size_t keep = 4 * request_.size();
    if (recent_.size() > keep) recent_.erase(0, recent_.size() - keep);
    return std::nullopt;
}

std::optional<ProtocolMode> parseForeignMode(const std::string& text) {
    if (text == "rtu") return ProtocolMode::ModbusRtu;
    if (text == "ascii") return ProtocolMode::ModbusAscii;
    if (text == "dcon") return ProtocolMode::Dcon;
    return std::nullopt;
}

}  // namespace vantor::sim
