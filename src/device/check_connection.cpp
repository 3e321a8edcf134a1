// CheckConnection: finding the module, waking it from a foreign protocol and finding
// the adapter mode it answers in.

#include "device/device.h"
#include "platform/app_state.h"

namespace vantor {

namespace {

constexpr int kAttempts = 2;
// Rounds of identification before the check gives up.
constexpr int kRounds = 2;
constexpr std::uint32_t kFlagsNotRecognised = 1u << kResultNotRecognised;

// The protocol mode goes back to native however the check ends.
class NativeOnReturn {
public:
    explicit NativeOnReturn(DeviceIO& link) : link_(link) {}
    ~NativeOnReturn() { link_.setProtocolMode(ProtocolMode::Native); }
    NativeOnReturn(const NativeOnReturn&) = delete;
    NativeOnReturn& operator=(const NativeOnReturn&) = delete;

private:
    DeviceIO& link_;
};

}  // namespace

void Device::switchAdapterMode() { sio().adapterMode = sio().adapterMode == kAdapterAuto ? kAdapterZk7 : kAdapterAuto; }

bool Device::wakeUp(ProtocolMode mode) {
    setProtocolMode(mode);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (ExchangeParameter(0, nullptr) == 0) return true;
        switchAdapterMode();
    }
    return false;
}

bool Device::CheckConnection(bool& portFailed) {
    std::lock_guard lock(app().linkLock());
    NativeOnReturn native(*this);
    // Other failures leave the port as Open left it; the attempts below fail on it.
    if (OpenPort(true) == -1) {
        portFailed = true;
        lastExchange = LastExchange::Failed;
        return false;
    }

    int rounds = 0;
    bool acknowledged = false;
    bool keepAdapterMode = false;  // coming back from an acknowledged or a failed wake-up
    for (;;) {
        if (!keepAdapterMode) sio().adapterMode = kAdapterAuto;
        setProtocolMode(ProtocolMode::Native);
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            const int flags = IdentifyDevice(false);
            if (flags & kIdentifyRecognised) {
                app().clearResultBit(kResultTransmission);
                app().clearResultBit(kResultNotRecognised);
                lastExchange = LastExchange::Worked;
                return true;
            }
            // A module that answers but is not known stays in the mode it answered in.
            if (flags & kIdentifyAnswered)
                app().replaceResultFlags(kFlagsNotRecognised);
            else
                switchAdapterMode();
        }

        sio().adapterMode = kAdapterAuto;
        if (++rounds == kRounds) {
            lastExchange = LastExchange::Failed;
            return false;
        }
        bool woken = wakeUp(ProtocolMode::ModbusRtu);
        if (!woken && acknowledged) {
            keepAdapterMode = true;
            continue;
        }
        for (const ProtocolMode mode : {ProtocolMode::ModbusAscii, ProtocolMode::Dcon}) {
            if (woken) break;
            sio().adapterMode = kAdapterAuto;
            woken = wakeUp(mode);
        }
        if (!woken) {
            keepAdapterMode = false;
            continue;
        }
        // Identify again natively, in the adapter mode the wake-up was heard in.
        app().clearResultBit(kResultNoAnswer);
        app().clearResultBit(kResultNotRecognised);
        acknowledged = true;
        keepAdapterMode = true;
    }
}

}  // namespace vantor
