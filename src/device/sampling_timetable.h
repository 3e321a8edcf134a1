#pragma once
// The timers of the sampled parameters as one queue on the monotonic clock: each
// parameter is due one period after the last time it was due. A read that comes late
// (the link was busy with a task) does not bring a burst of catch-up reads: the missed
// periods are skipped. No operating-system timer per parameter, so no limit on how
// many are sampled.

#include <chrono>
#include <cstddef>
#include <vector>

namespace vantor {

class Parameter;

class SamplingTimetable {
public:
    using Clock = std::chrono::steady_clock;
    // Shorter periods are taken as this one, as the view refuses them anyway.
    static constexpr std::chrono::milliseconds kShortestPeriod{100};

    // The parameter is first due one period after `start`.
    void add(Parameter& parameter, Clock::time_point start);
    bool empty() const { return entries_.empty(); }
    Clock::time_point nextDue() const;
    // The parameters due at `now`, earliest due first (ties in the order they were
    // added), each scheduled again. A parameter's period is taken anew while its
    // sampling is on; the view changes it only while sampling is off.
    std::vector<Parameter*> takeDue(Clock::time_point now);

private:
    struct Entry {
        Parameter* parameter;
        Clock::duration period;
        Clock::time_point due;
    };
    static Clock::duration periodOf(const Parameter& parameter);

    std::vector<Entry> entries_;
};

}  // namespace vantor
