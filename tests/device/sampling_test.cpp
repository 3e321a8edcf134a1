#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>

#include "device/sampling_timetable.h"
#include "device/thread_bench.h"
#include "params/parameter.h"

namespace vantor {
namespace {

using namespace std::chrono_literals;
using Clock = SamplingTimetable::Clock;

// The reads of a timetable driven by a fake clock that jumps to each due time, as
// "name@ms" up to `until`.
std::vector<std::string> schedule(SamplingTimetable& table, Clock::time_point start, std::chrono::milliseconds until) {
    std::vector<std::string> reads;
    while (table.nextDue() <= start + until) {
        const Clock::time_point now = table.nextDue();
        const auto at = std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
        for (Parameter* p : table.takeDue(now)) reads.push_back(p->name + "@" + std::to_string(at));
    }
    return reads;
}

TEST(SamplingTimetable, ReadsEachParameterAtItsOwnPeriodInTimeOrder) {
    Parameter fast("fast"), slow("slow");
    fast.samplingPeriod = 100;
    slow.samplingPeriod = 250;
    SamplingTimetable table;
    const Clock::time_point start{};
    table.add(fast, start);
    table.add(slow, start);
    EXPECT_EQ(schedule(table, start, 1000ms),
              (std::vector<std::string>{"fast@100", "fast@200", "slow@250", "fast@300", "fast@400", "fast@500",
                                        "slow@500", "fast@600", "fast@700", "slow@750", "fast@800", "fast@900",
                                        "fast@1000", "slow@1000"}));
}

TEST(SamplingTimetable, ShortPeriodsAreRaisedAndMissedPeriodsAreNotCaughtUp) {
    Parameter quick("quick");
    quick.samplingPeriod = 20;
    SamplingTimetable table;
    const Clock::time_point start{};
    table.add(quick, start);
    EXPECT_EQ(table.nextDue(), start + 100ms);
    // The link was busy for a second: one read, then the next period boundary.
    EXPECT_EQ(table.takeDue(start + 1050ms), std::vector<Parameter*>{&quick});
    EXPECT_EQ(table.nextDue(), start + 1100ms);
    EXPECT_TRUE(table.takeDue(start + 1099ms).empty());
}

TEST(SamplingTimetable, APeriodChangedWhileSamplingWasOffTakesEffectWhenItIsOn) {
    Parameter p("p");
    p.samplingPeriod = 100;
    SamplingTimetable table;
    const Clock::time_point start{};
    table.add(p, start);
    p.samplingPeriod = 400;
    table.takeDue(start + 100ms);  // off: the old period stays
    EXPECT_EQ(table.nextDue(), start + 200ms);
    p.StartSampling();
    table.takeDue(start + 200ms);
    EXPECT_EQ(table.nextDue(), start + 600ms);
}

// Collects what the sampling thread hands over until enough has come.
class SampleCollector {
public:
    void operator()(const SampledValue& sample) {
        {
            std::lock_guard lock(mutex_);
            samples_.push_back(sample);
        }
        arrived_.notify_all();
    }
    std::vector<SampledValue> awaitSamples(std::size_t count) {
        std::unique_lock lock(mutex_);
        // A guard against a hang only; the reads come every 100 ms.
        arrived_.wait_for(lock, 60s, [&] { return samples_.size() >= count; });
        return samples_;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<SampledValue> samples_;
};

TEST(SamplingThread, ReadsTheSampledParametersOfTheScannersBranch) {
    test::ThreadBench bench;
    ASSERT_NE(bench.description.scannersBranch, nullptr);
    std::vector<Parameter*> scanners;
    test::collectParameters(*bench.description.scannersBranch, scanners);
    ASSERT_GE(scanners.size(), 3u);
    scanners[0]->samplingPeriod = 100;
    scanners[1]->samplingPeriod = 250;
    for (Parameter* p : {scanners[0], scanners[1]}) {
        ASSERT_TRUE(p->PrepareSampling());
        p->StartSampling();
    }
    // scanners[2] and the rest stay off: never read.

    SampleCollector collector;
    ASSERT_EQ(bench.link.StartScanThread(*bench.description.scannersBranch, std::ref(collector)), 0);
    EXPECT_EQ(bench.link.StartScanThread(*bench.description.scannersBranch, nullptr), 0);  // already running
    // Before the slower one is first due the faster one is due at most twice.
    std::vector<SampledValue> samples = collector.awaitSamples(4);
    bench.link.StopThreads();
    samples = collector.awaitSamples(0);

    std::set<Parameter*> read;
    for (const SampledValue& s : samples) {
        read.insert(s.parameter);
        EXPECT_EQ(s.errorText, "") << s.parameter->name;
        EXPECT_NE(s.valueText, "") << s.parameter->name;
        EXPECT_EQ(s.addressOffset, s.parameter->addressOffset);
    }
    EXPECT_EQ(read, (std::set<Parameter*>{scanners[0], scanners[1]}));
    EXPECT_EQ(samples.front().parameter, scanners[0]);
}

}  // namespace
}  // namespace vantor
