#pragma once
// The module's sense of time: what drives its changing state values. Tests hand the
// module a clock they move by hand, so that what it answers is reproducible.

#include <chrono>
#include <cstdint>

namespace vantor::sim {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary fixed start.
    virtual std::int64_t millis() const = 0;
};

class SteadyClock : public Clock {
public:
    std::int64_t millis() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

class ManualClock : public Clock {
public:
    std::int64_t millis() const override { return now_; }
    void advance(std::int64_t ms) { now_ += ms; }

private:
    std::int64_t now_ = 0;
};

}  // namespace vantor::sim
