#pragma once
// The request from outside to end the program: "exitevent:NAME" is the POSIX named
// semaphore "/NAME" (created when missing, mode 0600, value 0), which any program may
// post; during a job SIGTERM and SIGINT ask the same.
//
// One watcher thread blocks in sem_wait on one semaphore: the named one, or a private
// one when no name was given. Every source wakes it by posting that semaphore: another
// program, the signal handler (sem_post is async-signal-safe) and the program's own
// shutdown, which sets a flag first so the watcher tells the two apart. Nothing polls.

#include <semaphore.h>
#include <signal.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "platform/app_state.h"

namespace vantor {

enum class ExitWatchWake { ExitEvent, Shutdown };

struct ExitWatchSources {
    std::string eventName;            // empty: no named exit event
    bool terminationSignals = false;  // SIGTERM and SIGINT act as the exit event
};

class ExitWatch {
public:
    // Called once on the watcher thread; on ExitEvent the result flags already hold
    // kResultCancelled alone.
    using Callback = std::function<void(ExitWatchWake)>;

    explicit ExitWatch(AppState& state = app()) : state_(state) {}
    ~ExitWatch() { stop(); }
    ExitWatch(const ExitWatch&) = delete;
    ExitWatch& operator=(const ExitWatch&) = delete;

    // Starts watching. False when the named semaphore cannot be opened or another
    // watch already catches the signals; the watch then runs without that source.
    bool start(const ExitWatchSources& sources, Callback onWake);
    // The program's own shutdown: wakes the watcher unless the exit event already did,
    // and joins it. The name of the exit event is removed, so that a post that comes
    // late does not end the next run. Idempotent.
    void stop();
    // Gives SIGTERM and SIGINT back to the dispositions they had before start, as when
    // the job they were to end is over; the watch goes on. Idempotent.
    void releaseSignals();

private:
    void watch();
    void openSemaphore(const std::string& eventName);
    bool catchSignals();

    AppState& state_;
    Callback onWake_;
    sem_t privateSemaphore_{};
    sem_t* semaphore_ = nullptr;
    std::string semaphoreName_;  // "/NAME" when the named semaphore is in use
    std::atomic<bool> shuttingDown_{false};
    bool catchingSignals_ = false;
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
    std::thread watcher_;
};

}  // namespace vantor
