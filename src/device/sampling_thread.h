#pragma once
// The sampling thread: one scheduler over every sampled parameter. It sleeps until the
// earliest one is due (or the stop), reads each due parameter whose sampling is on
// under the link lock and hands the result to the sink.

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "device/sampled_value.h"
#include "device/sampling_timetable.h"

namespace vantor {

class Device;

class SamplingThread {
public:
    SamplingThread(Device& device, const std::vector<Parameter*>& parameters, SampleSink sink);
    ~SamplingThread();
    SamplingThread(const SamplingThread&) = delete;
    SamplingThread& operator=(const SamplingThread&) = delete;

    // Ends the thread after the read in progress; the caller has set the stop event
    // that breaks off a waiting transaction.
    void stop();

private:
    void run();
    void read(Parameter& parameter);

    Device& device_;
    SampleSink sink_;
    SamplingTimetable timetable_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace vantor
