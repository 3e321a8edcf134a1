#include "link/cancel_event.h"

#include <chrono>

namespace vantor {

void CancelEvent::set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void CancelEvent::reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool CancelEvent::waitFor(int ms) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return set_.load(); });
}

}  // namespace vantor
