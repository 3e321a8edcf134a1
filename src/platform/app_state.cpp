#include "platform/app_state.h"

#include <chrono>

namespace vantor {

void AutoResetEvent::set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    cv_.notify_one();
}

void AutoResetEvent::wait() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return signalled_; });
    signalled_ = false;
}

bool AutoResetEvent::waitFor(int ms) {
    std::unique_lock lock(mutex_);
    if (!cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return signalled_; })) return false;
    signalled_ = false;
    return true;
}

int AppState::exitCode() const {
    const std::uint32_t flags = resultFlags();
    for (int bit = 0; bit < 32; ++bit)
        if (flags & (1u << bit)) return 200 + bit;
    return 0;
}

AppState& app() {
    static AppState state;
    return state;
}

}  // namespace vantor
