#pragma once
// A module asleep in a foreign protocol (Modbus RTU, Modbus ASCII or DCON): it ignores
// the native protocol until the native-mode request reaches it in that protocol,
// answers it as a device of that protocol would, and from then on speaks natively.

#include <optional>
#include <string>

#include "protocol/foreign.h"

namespace vantor::sim {

class ForeignWakeup {
public:
    ForeignWakeup(ProtocolMode mode, int address);

    // Feeds received bytes; the reply when they complete the native-mode request to
    // this module.
    std::optional<std::string> feed(const std::string& bytes);
    bool awake() const { return awake_; }

private:
    std::string request_;  // the native-mode request to this address, as on the line
    std::string reply_;
    std::string recent_;
    bool awake_ = false;
};

// "rtu", "ascii", "dcon"; nothing for other texts.
std::optional<ProtocolMode> parseForeignMode(const std::string& text);

}  // namespace vantor::sim
