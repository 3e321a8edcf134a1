#include "device/sampling_thread.h"

#include "device/device.h"
#include "platform/app_state.h"
#include "platform/thread_priority.h"

namespace vantor {

SamplingThread::SamplingThread(Device& device, const std::vector<Parameter*>& parameters, SampleSink sink)
    : device_(device), sink_(std::move(sink)) {
    const auto start = SamplingTimetable::Clock::now();
    for (Parameter* parameter : parameters) timetable_.add(*parameter, start);
    thread_ = std::thread([this] { run(); });
}

SamplingThread::~SamplingThread() { stop(); }

void SamplingThread::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void SamplingThread::run() {
    SetCurrentThreadPriority(ThreadPriority::Idle);
    std::unique_lock lock(mutex_);
    for (;;) {
        const auto stopped = [this] { return stopping_; };
        if (timetable_.empty()) {
            changed_.wait(lock, stopped);
            return;
        }
        if (changed_.wait_until(lock, timetable_.nextDue(), stopped)) return;
        const std::vector<Parameter*> due = timetable_.takeDue(SamplingTimetable::Clock::now());
        lock.unlock();
        for (Parameter* parameter : due) {
            if (device_.sio().stopEvent().isSet()) break;
            if (parameter->SamplingOn()) read(*parameter);
        }
        lock.lock();
    }
}

void SamplingThread::read(Parameter& parameter) {
    SampledValue sample;
    {
        std::lock_guard linkLock(app().linkLock());
        const int result = device_.ExchangeParameter(1, &parameter);
        sample.parameter = &parameter;
        sample.addressOffset = parameter.addressOffset;
        if (result == 0)
            sample.valueText = parameter.valueText;
        else
            sample.errorText = parameter.errorText;
    }
    if (sink_) sink_(sample);
}

}  // namespace vantor
