#include "platform/exit_event.h"

#include <fcntl.h>

#include <cerrno>
#include <utility>

namespace vantor {

namespace {

// The semaphore the signal handler posts; null while no watch catches the signals.
std::atomic<sem_t*> signalledSemaphore{nullptr};
static_assert(std::atomic<sem_t*>::is_always_lock_free, "the signal handler reads it");

extern "C" void postExitSemaphore(int) {
    const int savedErrno = errno;
    if (sem_t* semaphore = signalledSemaphore.load()) sem_post(semaphore);
    errno = savedErrno;
}

}  // namespace

bool ExitWatch::start(const ExitWatchSources& sources, Callback onWake) {
    if (watcher_.joinable()) return false;
    onWake_ = std::move(onWake);
    shuttingDown_.store(false);
    bool allSources = true;
    if (!sources.eventName.empty()) openSemaphore(sources.eventName);
    if (!semaphore_) {
        allSources = sources.eventName.empty();
        sem_init(&privateSemaphore_, 0, 0);
        semaphore_ = &privateSemaphore_;
    }
    if (sources.terminationSignals) allSources &= catchSignals();
    watcher_ = std::thread([this] { watch(); });
    return allSources;
}

void ExitWatch::openSemaphore(const std::string& eventName) {
    const std::string name = "/" + eventName;
    sem_t* semaphore = sem_open(name.c_str(), O_CREAT, 0600, 0);
    if (semaphore == SEM_FAILED) return;
    semaphore_ = semaphore;
    semaphoreName_ = name;
}

bool ExitWatch::catchSignals() {
    sem_t* expected = nullptr;
    if (!signalledSemaphore.compare_exchange_strong(expected, semaphore_)) return false;
    struct sigaction action {};
    action.sa_handler = postExitSemaphore;
    // Reads and writes that the signal interrupts on other threads go on.
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, &previousTerm_);
    sigaction(SIGINT, &action, &previousInt_);
    catchingSignals_ = true;
    return true;
}

void ExitWatch::releaseSignals() {
    if (!catchingSignals_) return;
    sigaction(SIGTERM, &previousTerm_, nullptr);
    sigaction(SIGINT, &previousInt_, nullptr);
    signalledSemaphore.store(nullptr);
    catchingSignals_ = false;
}

void ExitWatch::watch() {
    while (sem_wait(semaphore_) != 0 && errno == EINTR) {}
    const ExitWatchWake wake = shuttingDown_.load() ? ExitWatchWake::Shutdown : ExitWatchWake::ExitEvent;
    if (wake == ExitWatchWake::ExitEvent) state_.replaceResultFlags(1u << kResultCancelled);
    if (onWake_) onWake_(wake);
}

void ExitWatch::stop() {
    if (!watcher_.joinable()) return;
    // Signals go back to their previous dispositions before the semaphore is closed.
    releaseSignals();
    shuttingDown_.store(true);
    sem_post(semaphore_);
    watcher_.join();
    if (semaphoreName_.empty()) {
        sem_destroy(&privateSemaphore_);
    } else {
        sem_close(semaphore_);
        sem_unlink(semaphoreName_.c_str());
        semaphoreName_.clear();
    }
    semaphore_ = nullptr;
}

}  // namespace vantor
