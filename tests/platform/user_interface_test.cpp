#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/recording_ui.h"

namespace vantor {
namespace {

// What talks to the installed interface reaches the one installed last; taking it away
// puts the silent default back in force, never a null interface.
TEST(InstalledUserInterface, IsInForceUntilTakenAway) {
    test::RecordingUserInterface recorder;
    installUserInterface(&recorder);
    ui().message("shown", "T", MessageIcon::Error, MessageButtons::Ok);
    installUserInterface(nullptr);
    EXPECT_EQ(ui().message("unseen", "T", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(ui().message("unseen", "T", MessageIcon::Warning, MessageButtons::OkCancel), MessageAnswer::Ok);
    EXPECT_THAT(recorder.texts(), ::testing::ElementsAre("shown"));
}

}  // namespace
}  // namespace vantor
