#pragma once
// The link's cancel event: set by the wait dialog's Cancel button and after five
// time-outs in a row; tree operations stop at their next parameter while it is set.
// Manual reset; waiting threads wake as soon as it is set.

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace vantor {

class CancelEvent {
public:
    void set();
    void reset();
    bool isSet() const { return set_.load(); }
    // Waits until the event is set or `ms` milliseconds have passed; true when set.
    bool waitFor(int ms);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<bool> set_{false};
};

}  // namespace vantor
