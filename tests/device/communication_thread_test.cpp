#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include "device/thread_bench.h"
#include "protocol/name_hash.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::ThreadBench;

TEST(CommunicationThread, ReadsAShippedTreeAndEndsTheTask) {
    ThreadBench bench;
    const int total = static_cast<int>(bench.parameters.size());
    bench.link.progressTotal = total;
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadAll, *bench.description.rootBranch));
    const std::optional<TaskOutcome> outcome = bench.link.WaitTask();

    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->counts, (ExchangeCounts{total, 0}));
    EXPECT_FALSE(outcome->cancelled);
    EXPECT_FALSE(outcome->restartWanted);  // a read never restarts the module
    EXPECT_EQ(bench.link.progressDone.load(), total);
    EXPECT_EQ(bench.named("Addr").valueText, "16");
    EXPECT_EQ(bench.named("dev").valueText, "kq-15");
    EXPECT_EQ(bench.ui.taskDoneTexts, std::vector<std::string>{Text("IDS_STRING307")});
    EXPECT_EQ(bench.ui.saveRequests, 0);  // not a command-line job
}

TEST(CommunicationThread, CommandLineReadJobAsksForTheSaveAndSignalsTheJobDone) {
    ThreadBench bench;
    app().commandLine().options = kOptCommandLineMode | kOptRead;
    app().jobDone().waitFor(0);  // consume the signal the event starts with
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadOne, bench.named("Addr")));
    ASSERT_TRUE(bench.link.WaitTask());
    EXPECT_EQ(bench.ui.saveRequests, 1);
    EXPECT_TRUE(app().jobDone().waitFor(0));
}

TEST(CommunicationThread, RefusesASecondTaskAndTargetsThatDoNotFitTheCode) {
    ThreadBench bench;
    EXPECT_FALSE(bench.link.StartTask(OperationCode::ReadOne, *bench.description.rootBranch));
    EXPECT_FALSE(bench.link.StartTask(OperationCode::ReadAll, bench.named("Addr")));
    EXPECT_FALSE(bench.link.WaitTask());  // nothing was started
}

// Passes requests on and presses Cancel once the n-th request has gone out.
class CancellingLine : public LineTransport, public LinePort {
public:
    CancellingLine(test::RecordingLine& line, Device& device, std::size_t cancelAfter)
        : line_(line), device_(device), cancelAfter_(cancelAfter) {}
    int Transact(std::string_view request, std::string& reply) override {
        const int result = line_.Transact(request, reply);
        if (line_.sent.size() == cancelAfter_) device_.CancelTask();
        return result;
    }
    int Open() override { return line_.Open(); }
    int Close() override { return line_.Close(); }
    bool Usable() const override { return line_.Usable(); }

private:
    test::RecordingLine& line_;
    Device& device_;
    std::size_t cancelAfter_;
};

TEST(CommunicationThread, CancelDuringAReadStopsAtTheNextParameter) {
    ThreadBench bench;
    CancellingLine line(bench.recorder, bench.link, 3);
    bench.link.attachLine(&line, &line);
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadAll, *bench.description.rootBranch));
    const std::optional<TaskOutcome> outcome = bench.link.WaitTask();

    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->cancelled);
    // The parameter in progress was finished, none after it was asked for.
    EXPECT_EQ(bench.recorder.sent.size(), 3u);
    EXPECT_EQ(bench.link.progressDone.load(), 3);
    EXPECT_EQ(app().resultFlags(), 1u << kResultCancelled);
    // The task still ended the usual way, and the cancel event is clear for the next one.
    EXPECT_EQ(bench.ui.taskDoneTexts.size(), 1u);
    EXPECT_FALSE(bench.link.cancelled());
}

// How a write task ends: INIT only after a write without failures on a model that asks
// for it; APLY instead when the write changed the network settings.
TEST(CommunicationThread, RestartAfterAWriteOnlyWhenTheModelAsks) {
    struct Case {
        const char* what;
        bool modelAsks;
        bool networkSetting;  // the written parameter changes the module's network settings
        bool failingWrite;
        bool initSent;
        bool applyRequested;
    };
    const Case cases[] = {
        {"model asks", true, false, false, true, false},
        {"model does not ask", false, false, false, false, false},
        {"write fails", true, false, true, false, false},
        {"network setting written", true, true, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ThreadBench bench;
        bench.model.initAfterWrite = c.modelAsks;
        if (c.networkSetting) bench.model.networkSettingName = "Rs.dL";
        const ExchangeCounts read = bench.description.rootBranch->ReadValues(bench.link);
        ASSERT_EQ(read.failed, 0);

        Parameter unknown("nOnE");
        unknown.type = "int";
        unknown.valueText = "1";
        if (c.failingWrite) {
            ASSERT_TRUE(bench.link.StartTask(OperationCode::WriteOne, unknown));
        } else {
            ASSERT_TRUE(bench.named("Rs.dL").SetValue("25"));
            ASSERT_TRUE(bench.link.StartTask(OperationCode::WriteChanges, *bench.description.rootBranch));
        }
        const std::optional<TaskOutcome> outcome = bench.link.WaitTask();
        ASSERT_TRUE(outcome);
        EXPECT_EQ(outcome->counts.failed, c.failingWrite ? 1 : 0);
        EXPECT_EQ(outcome->initSent, c.initSent);
        EXPECT_EQ(bench.module.restarts(), c.initSent ? 1 : 0);
        EXPECT_EQ(outcome->applyRequested, c.applyRequested);
        EXPECT_EQ(bench.ui.applyRequests, c.applyRequested ? 1 : 0);
        EXPECT_FALSE(bench.link.networkSettingsChanged.load());
        EXPECT_EQ(bench.recorder.framesWithHash(hash_name("INIT")), c.initSent ? 1u : 0u);
    }
}

TEST(CommunicationThread, ReopensAnUnusablePortForTheTaskAndClosesItAfterwards) {
    ThreadBench bench;
    bench.line.Close();
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadOne, bench.named("Addr")));
    const std::optional<TaskOutcome> first = bench.link.WaitTask();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->portReopened);
    EXPECT_EQ(first->counts.failed, 0);
    // The next task finds the port closed again and reopens it once more.
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadOne, bench.named("Addr")));
    const std::optional<TaskOutcome> second = bench.link.WaitTask();
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->portReopened);
}

// A module that answers the first `answered` requests and then falls silent, as one
// whose power or cable went during a task.
class FallingSilentLine : public LineTransport, public LinePort {
public:
    FallingSilentLine(test::RecordingLine& line, std::size_t answered) : line_(line), answered_(answered) {}
    int Transact(std::string_view request, std::string& reply) override {
        if (line_.sent.size() < answered_) return line_.Transact(request, reply);
        line_.sent.push_back({std::string(request), 0});
        reply.clear();
        return kTransactTimeout;
    }
    int Open() override { return line_.Open(); }
    int Close() override { return line_.Close(); }
    bool Usable() const override { return line_.Usable(); }

private:
    test::RecordingLine& line_;
    std::size_t answered_;
};

// Every kind of tree task that loses its module ends saying how many parameters failed,
// never "Task accomplished", and restarts nothing.
TEST(CommunicationThread, ATaskInWhichParametersFailedSaysHowManyOfHowMany) {
    const OperationCode codes[] = {OperationCode::ReadAll,       OperationCode::WriteAll, OperationCode::WriteChanges,
                                   OperationCode::WriteDefaults, OperationCode::Compare,  OperationCode::ReadOne,
                                   OperationCode::WriteOne};
    for (const OperationCode code : codes) {
        SCOPED_TRACE(static_cast<int>(code));
        ThreadBench bench;
        bench.model.initAfterWrite = true;
        ASSERT_EQ(bench.description.rootBranch->ReadValues(bench.link).failed, 0);
        for (Parameter* p : bench.parameters) {
            p->valueChanged = 1;
            p->configurationValue = p->valueText;
        }
        bench.recorder.sent.clear();
        FallingSilentLine line(bench.recorder, isSingleParameterTask(code) ? 0 : 3);
        bench.link.attachLine(&line, &line);
        bench.link.progressTotal = isSingleParameterTask(code) ? 1 : static_cast<int>(bench.parameters.size());
        const bool started = isSingleParameterTask(code) ? bench.link.StartTask(code, bench.named("Addr"))
                                                         : bench.link.StartTask(code, *bench.description.rootBranch);
        ASSERT_TRUE(started);
        const std::optional<TaskOutcome> outcome = bench.link.WaitTask();

        ASSERT_TRUE(outcome);
        EXPECT_TRUE(outcome->failed());
        EXPECT_FALSE(outcome->initSent);
        EXPECT_EQ(bench.recorder.framesWithHash(hash_name("INIT")), 0u);
        ASSERT_EQ(bench.ui.taskDoneTexts.size(), 1u);
        const std::string closing = bench.ui.taskDoneTexts[0];
        EXPECT_NE(closing, Text("IDS_STRING307"));
        EXPECT_EQ(closing, FormatTextArgs(Text("IDS_TASK_FAILED"), outcome->failedOrMissed(), outcome->range()));
        EXPECT_GT(outcome->failedOrMissed(), 0);
    }
}

// Read until the module falls silent after three answers: the link gives up after five
// time-outs in a row, and every parameter but those read counts as failed.
TEST(CommunicationThread, AReadThatLostItsModuleCountsTheUnreadParametersAsFailed) {
    ThreadBench bench;
    FallingSilentLine line(bench.recorder, 3);
    bench.link.attachLine(&line, &line);
    const int total = static_cast<int>(bench.parameters.size());
    bench.link.progressTotal = total;
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadAll, *bench.description.rootBranch));
    const std::optional<TaskOutcome> outcome = bench.link.WaitTask();
    ASSERT_TRUE(outcome);
    const auto read = std::count_if(bench.parameters.begin(), bench.parameters.end(), [](const Parameter* p) {
        return p->errorText.empty() && p->valueText != Text("IDS_NODATA");
    });
    ASSERT_GT(read, 0);
    EXPECT_EQ(bench.ui.taskDoneTexts,
              std::vector<std::string>{"Task not accomplished: " + std::to_string(total - read) + " of " +
                                       std::to_string(total) + " parameters failed."});
}

// The log line of a failed parameter tells its error instead of the value it kept.
TEST(CommunicationThread, TheLogLineOfAFailedParameterShowsItsError) {
    ThreadBench bench;
    Parameter& addr = bench.named("Addr");
    ASSERT_EQ(bench.link.ReadParameter(addr, false), 0);
    ASSERT_EQ(addr.valueText, "16");
    FallingSilentLine line(bench.recorder, 0);
    bench.link.attachLine(&line, &line);
    const std::pair<OperationCode, std::string> cases[] = {
        {OperationCode::ReadOne, "Reading Addr - " + Text("IDS_NOCARRIER")},
        {OperationCode::WriteOne, "  Write: Addr = 16 - " + Text("IDS_NOCARRIER")},
    };
    for (const auto& [code, logged] : cases) {
        bench.ui.progressLines.clear();
        ASSERT_TRUE(bench.link.StartTask(code, addr));
        ASSERT_TRUE(bench.link.WaitTask());
        ASSERT_FALSE(bench.ui.progressLines.empty());
        EXPECT_EQ(bench.ui.progressLines.front(), logged);
    }
}

// A write of changes that finds none writes nothing and does not restart the module.
TEST(CommunicationThread, AWriteOfNoChangeRestartsNothing) {
    ThreadBench bench;
    bench.model.initAfterWrite = true;
    ASSERT_TRUE(bench.link.StartTask(OperationCode::WriteChanges, *bench.description.rootBranch));
    const std::optional<TaskOutcome> outcome = bench.link.WaitTask();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->counts, ExchangeCounts{});
    EXPECT_FALSE(outcome->initSent);
    EXPECT_TRUE(bench.recorder.sent.empty());
    EXPECT_EQ(bench.module.restarts(), 0);
}

// A line whose module never answers: a transaction waits until the link's stop event
// breaks it off, as the serial port does.
class HangingLine : public LineTransport, public LinePort {
public:
    explicit HangingLine(Sio& sio) : sio_(sio) {}
    int Transact(std::string_view, std::string& reply) override {
        {
            std::lock_guard lock(mutex_);
            waiting_ = true;
        }
        entered_.notify_all();
        reply.clear();
        return sio_.stopEvent().waitFor(600'000) ? kTransactFailed : kTransactTimeout;
    }
    int Open() override { return 0; }
    int Close() override { return 0; }
    bool Usable() const override { return true; }
    void awaitTransaction() {
        std::unique_lock lock(mutex_);
        entered_.wait(lock, [this] { return waiting_; });
    }

private:
    Sio& sio_;
    std::mutex mutex_;
    std::condition_variable entered_;
    bool waiting_ = false;
};

TEST(CommunicationThread, StopThreadsEndsAWaitingTransaction) {
    ThreadBench bench;
    HangingLine hanging(bench.link.sio());
    bench.link.attachLine(&hanging, &hanging);
    Parameter& addr = bench.named("Addr");
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadOne, addr));
    hanging.awaitTransaction();

    bench.link.StopThreads();
    EXPECT_NE(addr.errorText, "");  // the broken-off read failed
    EXPECT_FALSE(bench.link.sio().stopEvent().isSet());
    EXPECT_FALSE(bench.link.cancelled());
    EXPECT_FALSE(bench.link.WaitTask());  // the thread is gone with its task

    // The link works again afterwards: a new task starts the thread anew.
    bench.link.attachLine(&bench.recorder, &bench.recorder);
    ASSERT_TRUE(bench.link.StartTask(OperationCode::ReadOne, addr));
    const std::optional<TaskOutcome> outcome = bench.link.WaitTask();
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->counts.failed, 0);
    EXPECT_EQ(addr.valueText, "16");
}

}  // namespace
}  // namespace vantor
