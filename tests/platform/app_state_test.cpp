#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/app_state.h"

namespace vantor {
namespace {

TEST(AppState, ExitCodeIsTwoHundredPlusLowestSetBit) {
    AppState state;
    EXPECT_EQ(state.exitCode(), 0);
    state.setResultBit(kResultDeviceError);
    state.setResultBit(kResultNoAnswer);
    EXPECT_EQ(state.exitCode(), 202);
    state.clearResultBit(kResultNoAnswer);
    EXPECT_EQ(state.exitCode(), 204);
    state.replaceResultFlags(1u << kResultNotRecognised);
    EXPECT_EQ(state.exitCode(), 206);
}

TEST(AppState, BitsSetConcurrentlyAreNotLost) {
    AppState state;
    std::vector<std::thread> threads;
    for (int bit = 0; bit < 7; ++bit)
        threads.emplace_back([&state, bit] {
            for (int i = 0; i < 1000; ++i) {
                state.setResultBit(bit);
                if (bit == 6) state.clearResultBit(bit);
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(state.resultFlags() & 0x3F, 0x3Fu);
}

TEST(AppState, ConditionalReplacements) {
    const struct {
        std::uint32_t before;
        bool onlyIfEqual;  // true: replace if equal to `test`; false: unless equal to it
        std::uint32_t test, value, after;
    } cases[] = {
        {4, true, 4, 8, 8},      {4 | 2, true, 4, 8, 4 | 2}, {0, true, 4, 8, 0},       {8, false, 8, 4, 8},
        {8 | 1, false, 8, 4, 4}, {0, false, 8, 4, 4},        {16 | 2, false, 8, 4, 4},
    };
    for (const auto& c : cases) {
        AppState state;
        state.replaceResultFlags(c.before);
        if (c.onlyIfEqual)
            EXPECT_EQ(state.replaceResultFlagsIf(c.test, c.value), c.before == c.test) << c.before;
        else
            state.replaceResultFlagsUnless(c.test, c.value);
        EXPECT_EQ(state.resultFlags(), c.after) << c.before << (c.onlyIfEqual ? " if " : " unless ") << c.test;
    }
}

TEST(AppState, JobDoneEventStartsSignalledAndResetsOnWait) {
    AppState state;
    EXPECT_TRUE(state.jobDone().waitFor(0));
    EXPECT_FALSE(state.jobDone().waitFor(0));
    state.jobDone().set();
    EXPECT_TRUE(state.jobDone().waitFor(0));
}

}  // namespace
}  // namespace vantor
