#include <semaphore.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <string>

#include "platform/exit_event.h"
#include "support/named_semaphore.h"

namespace vantor {
namespace {

// A name of this test process, so that parallel runs do not meet.
std::string eventName(const std::string& what) { return "vantor-test-" + what + "-" + std::to_string(::getpid()); }

// Waits on the watch's callback; each watch wakes it once.
class WakeRecorder {
public:
    ExitWatch::Callback callback() {
        return [this](ExitWatchWake wake) { promise_.set_value(wake); };
    }
    ExitWatchWake wait() { return future_.get(); }

private:
    std::promise<ExitWatchWake> promise_;
    std::future<ExitWatchWake> future_ = promise_.get_future();
};

TEST(ExitWatch, AnotherProgramPostingTheEventWakesItAndTheResultIsCancelledAlone) {
    AppState state;
    state.replaceResultFlags((1u << kResultNoAnswer) | (1u << kResultDeviceError));
    const std::string name = eventName("post");
    WakeRecorder recorder;
    ExitWatch watch(state);
    ASSERT_TRUE(watch.start({name, false}, recorder.callback()));

    sem_t* other = sem_open(("/" + name).c_str(), 0);
    ASSERT_NE(other, SEM_FAILED) << "the watch creates the semaphore";
    ASSERT_EQ(sem_post(other), 0);
    sem_close(other);

    EXPECT_EQ(recorder.wait(), ExitWatchWake::ExitEvent);
    EXPECT_EQ(state.resultFlags(), 1u << kResultCancelled);
    EXPECT_EQ(state.exitCode(), 205);
    watch.stop();
}

TEST(ExitWatch, APostBeforeTheWatchStartsIsKeptAndTheNameGoesWithTheWatch) {
    AppState state;
    const std::string name = eventName("early");
    ASSERT_TRUE(test::postNamedSemaphore(name));
    WakeRecorder recorder;
    ExitWatch watch(state);
    ASSERT_TRUE(watch.start({name, false}, recorder.callback()));
    EXPECT_EQ(recorder.wait(), ExitWatchWake::ExitEvent);
    watch.stop();

    EXPECT_EQ(sem_open(("/" + name).c_str(), 0), SEM_FAILED);
}

TEST(ExitWatch, ShutdownWakesItWithoutTouchingTheResult) {
    for (const std::string& name : {eventName("shutdown"), std::string()}) {
        AppState state;
        state.replaceResultFlags(1u << kResultNoAnswer);
        WakeRecorder recorder;
        ExitWatch watch(state);
        ASSERT_TRUE(watch.start({name, false}, recorder.callback())) << name;
        watch.stop();
        EXPECT_EQ(recorder.wait(), ExitWatchWake::Shutdown) << name;
        EXPECT_EQ(state.resultFlags(), 1u << kResultNoAnswer) << name;
        watch.stop();
    }
}

TEST(ExitWatch, StopIsIdempotentAndAWatchNeverStartedStopsToo) {
    ExitWatch never;
    never.stop();
    never.stop();

    AppState state;
    WakeRecorder recorder;
    ExitWatch watch(state);
    ASSERT_TRUE(watch.start({eventName("twice"), false}, recorder.callback()));
    watch.stop();
    watch.stop();
    EXPECT_EQ(recorder.wait(), ExitWatchWake::Shutdown);
}

TEST(ExitWatch, ANameNoSemaphoreCanHaveLeavesTheShutdownWatch) {
    AppState state;
    WakeRecorder recorder;
    ExitWatch watch(state);
    EXPECT_FALSE(watch.start({"no/such/name", false}, recorder.callback()));
    watch.stop();
    EXPECT_EQ(recorder.wait(), ExitWatchWake::Shutdown);
}

TEST(ExitWatch, TerminationSignalsActAsTheExitEvent) {
    for (const int signalNumber : {SIGTERM, SIGINT}) {
        AppState state;
        state.replaceResultFlags(1u << kResultTransmission);
        WakeRecorder recorder;
        ExitWatch watch(state);
        ASSERT_TRUE(watch.start({"", true}, recorder.callback()));

        // A second watch cannot take the signals away from the first.
        ExitWatch second(state);
        EXPECT_FALSE(second.start({"", true}, [](ExitWatchWake) {}));
        second.stop();

        ASSERT_EQ(std::raise(signalNumber), 0);
        EXPECT_EQ(recorder.wait(), ExitWatchWake::ExitEvent) << signalNumber;
        EXPECT_EQ(state.resultFlags(), 1u << kResultCancelled);
        watch.stop();

        struct sigaction restored {};
        sigaction(signalNumber, nullptr, &restored);
        EXPECT_EQ(restored.sa_handler, SIG_DFL) << "the watch gives the signal back";
        std::signal(signalNumber, SIG_DFL);
    }
}

TEST(ExitWatch, SignalsGivenBackWhileTheWatchGoesOn) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGTERM, &ignore, nullptr);

    AppState state;
    WakeRecorder recorder;
    ExitWatch watch(state);
    ASSERT_TRUE(watch.start({"", true}, recorder.callback()));
    watch.releaseSignals();
    watch.releaseSignals();
    struct sigaction now {};
    sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_IGN) << "the disposition from before the watch";
    ASSERT_EQ(std::raise(SIGTERM), 0);  // ignored: the watch must not wake on it

    watch.stop();
    EXPECT_EQ(recorder.wait(), ExitWatchWake::Shutdown);
    std::signal(SIGTERM, SIG_DFL);
}

}  // namespace
}  // namespace vantor
