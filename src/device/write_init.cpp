// Device::WriteInit: the module's restart command.

#include "device/device.h"

namespace vantor {

namespace {

// The module takes a moment to come back after INIT before the next request.
constexpr int kAfterInitMs = 1000;

}  // namespace

bool Device::WriteInit(std::string& reason) {
    Parameter init("INIT");
    init.type = "void";
    init.valueText.clear();  // a new parameter holds "no data", which is never written
    if (WriteParameter(init, 1) != 0) {
        reason = init.errorText;
        return false;
    }
    sio().stopEvent().waitFor(kAfterInitMs);
    return true;
}

}  // namespace vantor
