#include <gtest/gtest.h>

#include "dialog_bench.h"
#include "dialogs/progress_indicator.h"

namespace vantor {
namespace {

using gui::ProgressIndicator;

// The sweep climbs by 2 from 0; the bar fills only past the lead, and after lead + 100
// it starts again from 0.
TEST(ProgressIndicator, TheSweepFillsPastTheLeadAndStartsAgain) {
    ProgressIndicator bar(ProgressIndicator::Look::Sweep);
    bar.setLead(10);
    bar.start(1);
    ASSERT_TRUE(test::eventually([&] { return bar.position() == 8; }));
    EXPECT_EQ(bar.value(), 0);
    ASSERT_TRUE(test::eventually([&] { return bar.position() == 60; }));
    EXPECT_EQ(bar.value(), 50);
    ASSERT_TRUE(test::eventually([&] { return bar.position() == 110; }));
    EXPECT_EQ(bar.value(), 100);
    ASSERT_TRUE(test::eventually([&] { return bar.position() == 0; }));
    bar.stop();
    EXPECT_FALSE(bar.running());
    EXPECT_EQ(bar.value(), 0);
}

TEST(ProgressIndicator, TheMarqueeRunsWithoutAnEndUntilStopped) {
    ProgressIndicator bar(ProgressIndicator::Look::Marquee);
    bar.start(30);
    EXPECT_TRUE(bar.running());
    EXPECT_EQ(bar.maximum(), 0);
    bar.stop();
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.value(), 0);
}

}  // namespace
}  // namespace vantor
