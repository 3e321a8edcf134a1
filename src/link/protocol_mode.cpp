#include "link/protocol_mode.h"

#include <atomic>

namespace vantor {

namespace {
std::atomic<ProtocolMode> currentMode{ProtocolMode::Native};
}

ProtocolMode protocolMode() { return currentMode.load(); }
void setProtocolMode(ProtocolMode mode) { currentMode.store(mode); }

}  // namespace vantor
