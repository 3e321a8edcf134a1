#include "document/read_job.h"

#include <gtest/gtest.h>

#include "platform/app_state.h"
#include "support/module_bench.h"

namespace vantor {
namespace {

TEST(ReadJob, TheUnfinishedReadGoesBesideTheFile) {
    const struct {
        const char* path;
        const char* beside;
    } cases[] = {
        {"a.vantor", "a.incomplete.vantor"},          {"/srv/cfg/line4.VANTOR", "/srv/cfg/line4.incomplete.vantor"},
        {"line4.cfg", "line4.cfg.incomplete.vantor"}, {"plain", "plain.incomplete.vantor"},
        {".vantor", ".vantor.incomplete.vantor"},
    };
    for (const auto& c : cases) EXPECT_EQ(IncompletePath(c.path), c.beside) << c.path;
}

TaskOutcome outcomeOf(int handled, int failed, bool cancelled) {
    TaskOutcome outcome;
    outcome.counts.handled = handled;
    outcome.counts.failed = failed;
    outcome.cancelled = cancelled;
    return outcome;
}

struct Case {
    const char* what;
    std::uint32_t flagsAfterRead;  // as the link left them
    std::optional<TaskOutcome> outcome;
    int exitCode;     // after MarkFailedRead
    bool endedEarly;  // before it
};

TEST(ReadJob, AFailedParameterNeverEndsWith0AndAnUnfinishedReadIsTold) {
    const Case cases[] = {
        {"every parameter read", 0, outcomeOf(130, 0, false), 0, false},
        {"a reply failed its check", 0, outcomeOf(130, 5, false), 203, false},
        {"the module answered an error", 1u << kResultDeviceError, outcomeOf(130, 1, false), 204, false},
        {"a parameter went unanswered", 1u << kResultNoAnswer, outcomeOf(130, 1, false), 202, true},
        {"the module was lost", 1u << kResultNoAnswer, outcomeOf(6, 6, true), 202, true},
        {"the port was lost", 1u << kResultPortNotOpened, outcomeOf(40, 1, true), 201, true},
        {"cancelled", 1u << kResultCancelled, outcomeOf(40, 0, true), 205, true},
        {"no task ran", 0, std::nullopt, 0, false},
        {"the desktop program's job, outcome not yet known", 1u << kResultCancelled, std::nullopt, 205, true},
    };
    for (const Case& c : cases) {
        test::CleanAppState state;
        app().replaceResultFlags(c.flagsAfterRead);
        EXPECT_EQ(ReadEndedEarly(c.outcome), c.endedEarly) << c.what;
        MarkFailedRead(c.outcome);
        EXPECT_EQ(app().exitCode(), c.exitCode) << c.what;
    }
}

}  // namespace
}  // namespace vantor
