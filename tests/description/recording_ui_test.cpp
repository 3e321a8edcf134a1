#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/recording_ui.h"

namespace vantor {
namespace {

using test::RecordingUserInterface;

// Tests record messages with nested recorders (a helper loads a description with its
// own); the outer recorder must see what comes after the inner one is gone.
TEST(RecordingUserInterface, InnerRecorderGivesTheOuterOneBack) {
    RecordingUserInterface outer;
    {
        RecordingUserInterface inner;
        ui().message("inner", "T", MessageIcon::Error, MessageButtons::Ok);
        EXPECT_THAT(inner.texts(), ::testing::ElementsAre("inner"));
    }
    ui().message("outer", "T", MessageIcon::Warning, MessageButtons::Ok);
    EXPECT_THAT(outer.texts(), ::testing::ElementsAre("outer"));
}

}  // namespace
}  // namespace vantor
