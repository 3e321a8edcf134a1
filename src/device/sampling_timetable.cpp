#include "device/sampling_timetable.h"

#include <algorithm>
#include <numeric>

#include "params/parameter.h"

namespace vantor {

SamplingTimetable::Clock::duration SamplingTimetable::periodOf(const Parameter& parameter) {
    return std::max<Clock::duration>(std::chrono::milliseconds(parameter.samplingPeriod), kShortestPeriod);
}

void SamplingTimetable::add(Parameter& parameter, Clock::time_point start) {
    const Clock::duration period = periodOf(parameter);
    entries_.push_back({&parameter, period, start + period});
}

SamplingTimetable::Clock::time_point SamplingTimetable::nextDue() const {
    const auto earliest = std::min_element(entries_.begin(), entries_.end(),
                                           [](const Entry& a, const Entry& b) { return a.due < b.due; });
    return earliest == entries_.end() ? Clock::time_point::max() : earliest->due;
}

std::vector<Parameter*> SamplingTimetable::takeDue(Clock::time_point now) {
    std::vector<std::size_t> due;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].due <= now) due.push_back(i);
    std::stable_sort(due.begin(), due.end(),
                     [this](std::size_t a, std::size_t b) { return entries_[a].due < entries_[b].due; });

    std::vector<Parameter*> result;
    for (const std::size_t i : due) {
        Entry& entry = entries_[i];
        result.push_back(entry.parameter);
        if (entry.parameter->SamplingOn()) entry.period = periodOf(*entry.parameter);
        const auto missed = (now - entry.due) / entry.period;
        entry.due += (missed + 1) * entry.period;
    }
    return result;
}

}  // namespace vantor
