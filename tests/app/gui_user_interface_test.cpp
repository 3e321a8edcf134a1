#include <gtest/gtest.h>

#include <QSignalSpy>
#include <thread>

#include "app/gui_user_interface.h"

namespace vantor {
namespace {

using gui::GuiUserInterface;

TEST(GuiUserInterface, OptionSwitchesAreSharedAndAnnounceTheirChanges) {
    GuiUserInterface ui;
    QSignalSpy changes(&ui, &GuiUserInterface::optionChanged);
    ui.setOption(OptionSwitch::ShowIndexes, true);
    ui.setOption(OptionSwitch::ShowIndexes, true);  // no change, no signal
    EXPECT_TRUE(ui.option(OptionSwitch::ShowIndexes));
    EXPECT_FALSE(ui.option(OptionSwitch::InstantRecording));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).value<OptionSwitch>(), OptionSwitch::ShowIndexes);
    EXPECT_TRUE(changes.at(0).at(1).toBool());
}

TEST(GuiUserInterface, ATaskThreadsLogAndEndAreSignalled) {
    GuiUserInterface ui;
    QSignalSpy lines(&ui, &GuiUserInterface::progressLogged);
    QSignalSpy done(&ui, &GuiUserInterface::taskFinished);
    std::thread task([&] {
        ui.progressLog("Addr = 16", 3);
        ui.taskDone("Task accomplished");
    });
    task.join();
    ASSERT_EQ(lines.count(), 1);
    EXPECT_EQ(lines.at(0).at(0).toString(), "Addr = 16");
    EXPECT_EQ(lines.at(0).at(1).toInt(), 3);
    ASSERT_EQ(done.count(), 1);
}

}  // namespace
}  // namespace vantor
