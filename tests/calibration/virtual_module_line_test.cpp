// The offset-and-scale wizard over a real serial link to vantor-sim on a pseudo-terminal:
// the module refuses the next job, and the wizard ends on the error page with its reason;
// a module restarted under the same name is calibrated through the reopened port.

#include <gtest/gtest.h>

#include <QAbstractButton>

#include "calibration/framework/code_base_page.h"
#include "calibration/framework/error_page.h"
#include "calibration/framework/my_sheet.h"
#include "calibration/generic/offset_and_scale.h"
#include "calibration_bench.h"
#include "e2e/sim_session.h"
#include "platform/settings_store.h"
#include "protocol/name_hash.h"
#include "support/temporary_config_home.h"
#include "support/temporary_folder.h"
#include "text/texts.h"

namespace vantor {
namespace {

class CalibrationOnTheLine : public test::SimSession {
protected:
    CalibrationOnTheLine() : SimSession("KQ-08", {"--calibration", "fail=4,busy=1"}) {
        OpenSettings(SettingsScope::PerUser)->writeString("port_path", port_);
    }

    test::TemporaryConfigHome home_;
};

TEST_F(CalibrationOnTheLine, AModuleThatRefusesTheJobEndsOnTheErrorPage) {
    test::SwitchingUserInterface ui;
    test::ScriptedFrontEnd frontEnd;
    CPlimoDoc doc(ui, frontEnd);
    ASSERT_TRUE(doc.StartUp());
    ASSERT_TRUE(doc.OnNewDocument());
    gui::CalibrationTiming timing = gui::CalibrationTiming::quick();
    gui::CalibrationLink link(doc, timing);
    gui::CmySheet sheet(link);
    gui::addOffsetAndScalePages(sheet);
    sheet.show();

    auto& code = *sheet.pageOf<gui::CCodeBasePage>();
    code.accessCode().setText("936");
    sheet.button(QWizard::NextButton)->click();
    code.row(0).list->setCurrentIndex(0);
    sheet.button(QWizard::NextButton)->click();
    const auto onPage = [&](int id) {
        return test::CalibrationBench::eventually([&] { return sheet.currentId() == id && link.idle(); });
    };
    ASSERT_TRUE(onPage(1));
    sheet.button(QWizard::NextButton)->click();
    ASSERT_TRUE(onPage(4));
    EXPECT_EQ(sheet.errorPage()->instructionText(), Text("IDS_STRING649") + "\r\n\r\n" + Text("IDS_STRING672"));

    // The module heard the sensor, the start and the polls, in that order.
    std::vector<std::uint16_t> jobFrames;
    for (const std::uint16_t hash : requestHashes())
        if (hash == hash_name("in-t") || hash == hash_name("JuSh") || hash == hash_name("JuRD"))
            jobFrames.push_back(hash);
    EXPECT_EQ(jobFrames,
              (std::vector<std::uint16_t>{hash_name("in-t"), hash_name("JuSh"), hash_name("JuRD"), hash_name("JuRD")}));
    EXPECT_TRUE(ui.messages.empty());
}

// A virtual module that can be stopped and started again on the same link name.
class RestartedModule : public ::testing::Test {
protected:
    RestartedModule() {
        start();
        OpenSettings(SettingsScope::PerUser)->writeString("port_path", link_);
    }
    ~RestartedModule() override { std::filesystem::remove(log_); }

    void start() {
        sim_.reset();
        std::filesystem::remove(log_);
        sim_.emplace("vantor-sim",
                     std::vector<std::string>{"--model", "KQ-08", "--pty", "--link", link_, "--log", log_});
        ASSERT_FALSE(sim_->readLine().empty());
    }
    // The writes of `hash` the module started last received.
    std::size_t writesOf(std::uint16_t hash) const {
        std::size_t count = 0;
        std::string line;
        for (const char c : test::readWholeFile(log_)) {
            if (c != '\n') {
                line += c;
                continue;
            }
            const std::size_t request = line.find(" < ");
            ReceivedFrame frame;
            if (request != std::string::npos) {
                std::string sent = line.substr(request + 3);
                replaceAll(sent, "\\r", "\r");
                if (ParseFrame(sent, frame) == FrameCheck::Ok) count += frame.hash == hash && !frame.requestBit();
            }
            line.clear();
        }
        return count;
    }

    test::TemporaryConfigHome home_;
    const std::string link_ = test::temporaryPath("restarted-kq08");
    const std::string log_ = test::temporaryPath("restarted-kq08.log");
    std::optional<test::BackgroundProgram> sim_;
};

TEST_F(RestartedModule, TheWizardReachesItThroughTheReopenedPortAndLeavesTheLinkUsable) {
    test::SwitchingUserInterface ui;
    test::ScriptedFrontEnd frontEnd;
    CPlimoDoc doc(ui, frontEnd);
    ASSERT_TRUE(doc.StartUp());
    ASSERT_TRUE(doc.OnNewDocument());
    start();
    ASSERT_TRUE(doc.ReadAll(TreeScope::WholeTree));
    ASSERT_TRUE(doc.lastOutcome() && doc.lastOutcome()->counts.failed == 0);

    {
        gui::CalibrationLink link(doc, gui::CalibrationTiming::quick());
        gui::CmySheet sheet(link);
        gui::addOffsetAndScalePages(sheet);
        sheet.show();
        auto& code = *sheet.pageOf<gui::CCodeBasePage>();
        code.accessCode().setText("936");
        sheet.button(QWizard::NextButton)->click();
        code.row(0).list->setCurrentIndex(0);
        sheet.button(QWizard::NextButton)->click();
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return sheet.currentId() == 1 && link.idle(); }));
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
        EXPECT_EQ(writesOf(hash_name("in-t")), 1u);
    }

    // The connection check after the wizard finds the module at once.
    EXPECT_TRUE(doc.device().IdentifyDevice(false) & kIdentifyRecognised);
}

}  // namespace
}  // namespace vantor
