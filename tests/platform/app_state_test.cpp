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

TEST(AppState, NoModelChosenReadsMinusOne) {
    AppState state;
    EXPECT_EQ(state.currentModel(), -1);
    state.setCurrentModel(22);
    EXPECT_EQ(state.currentModel(), 22);
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

TEST(AppState, JobDoneEventStartsSignalledAndResetsOnWait) {
    AppState state;
    EXPECT_TRUE(state.jobDone().waitFor(0));
    EXPECT_FALSE(state.jobDone().waitFor(0));
    state.jobDone().set();
    EXPECT_TRUE(state.jobDone().waitFor(0));
}

}  // namespace
}  // namespace vantor
