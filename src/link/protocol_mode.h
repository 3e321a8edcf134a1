#pragma once
// The process-wide protocol mode of the device link: native, except while connection
// recovery wakes a module up in one of the foreign protocols. The serial port reads it
// at every exchange.

#include "protocol/foreign.h"

namespace vantor {

ProtocolMode protocolMode();
void setProtocolMode(ProtocolMode mode);

}  // namespace vantor
