#pragma once
// The document's device link: the exchange engine plus what needs the model catalogue,
// identifying the connected module ("dev", "ver", "tdev") and recovering a module that
// does not answer the native protocol (CheckConnection). The communication and
// sampling threads will live here too.

#include <atomic>

#include "description/tree_description.h"
#include "link/parameter_link.h"

namespace vantor {

// Bits of IdentifyDevice's answer.
enum IdentifyFlag : int {
    kIdentifyRecognised = 1,  // "dev" named a model of the catalogue
    kIdentifyAnswered = 2,    // the module answered "dev"
};

class Device : public ParameterLink {
public:
    using ParameterLink::ParameterLink;

    // Reads "dev" (and "tdev" for the strain-gauge pair) and "ver": makes the
    // recognised model the current one, unless the person chose one by hand, and keeps
    // the firmware version. With `showMessages` the findings are shown.
    int IdentifyDevice(bool showMessages);
    // Under the link lock: opens the port and looks for a catalogue module, waking it
    // from the foreign protocols and trying both adapter modes. `portFailed` is set
    // when the port cannot be opened at all. The protocol mode is native on return.
    bool CheckConnection(bool& portFailed);

    // What "#if ver" in a description compares; (-1, -1) until "ver" was read.
    FirmwareVersion firmware;
    // The person chose the model by hand: identification does not change it.
    std::atomic<bool> catalogueFixed{false};

private:
    void switchAdapterMode();
    // Sends the native-mode request in `mode` up to twice, switching the adapter mode
    // after each failure; true when one was acknowledged.
    bool wakeUp(ProtocolMode mode);
};

}  // namespace vantor
