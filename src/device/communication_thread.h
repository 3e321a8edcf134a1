#pragma once
// The communication thread: carries out one task at a time for the wait dialog (or a
// command-line job) under the link lock, and ends it the way the dialog expects
// (CommandDone). The caller hands a task over with start() and collects its outcome
// with wait(); the thread sleeps on a condition variable in between.

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "device/operation_code.h"

namespace vantor {

class Device;
class ObjectWithParameters;
class Parameter;

class CommunicationThread {
public:
    explicit CommunicationThread(Device& device);
    ~CommunicationThread();
    CommunicationThread(const CommunicationThread&) = delete;
    CommunicationThread& operator=(const CommunicationThread&) = delete;

    // False when a task is still running (nothing is handed over then).
    bool start(OperationCode code, ObjectWithParameters* element, Parameter* single);
    // Blocks until the task handed over last has ended; none when none was handed over.
    std::optional<TaskOutcome> wait();
    bool busy() const;
    // Ends the thread after the task in progress; the caller has set the stop event
    // that breaks off a waiting transaction.
    void stop();

private:
    struct Task {
        OperationCode code;
        ObjectWithParameters* element;
        Parameter* single;
    };
    void run();
    TaskOutcome execute(const Task& task);
    // Ends a task: the dialog's closing text, APLY or INIT, the command-line job.
    void commandDone(TaskOutcome& outcome);

    Device& device_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<Task> pending_;
    bool running_ = false;  // a task is pending or executing
    std::optional<TaskOutcome> outcome_;
    bool stopping_ = false;
    bool closeBeforeNext_ = false;  // touched by the thread only
    std::thread thread_;
};

}  // namespace vantor
