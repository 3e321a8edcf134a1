#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

#include "dialog_bench.h"
#include "dialogs/apply_dialog.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "support/document_bench.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::ApplyDialog;

constexpr int kKq08 = 7;
constexpr int kKq22 = 20;
constexpr int kModuleAddress = 16;

const char* const kNetworkNames[] = {"bPS", "LEn", "PrtY", "Sbit", "A.Len", "Addr"};

// A document on the virtual module with the module's network settings read into the tree.
struct ApplyBench : test::DocumentBench {
    explicit ApplyBench(int model = test::kKq16) : DocumentBench(model) {
        EXPECT_TRUE(doc.OnNewDocument());
        for (const char* name : kNetworkNames) {
            if (Parameter* setting = doc.networkBranch()->FindParameter(name)) {
                EXPECT_EQ(doc.device().ReadParameter(*setting, false), 0) << name;
            }
        }
        recorder.sent.clear();
    }

    // The module gets a new baud rate that waits for APLY.
    void writeBaudRate(const char* baud) {
        Parameter& rate = *doc.networkBranch()->FindParameter("bPS");
        ASSERT_TRUE(rate.SetValue(baud));
        ASSERT_EQ(doc.device().WriteParameter(rate, 1), 0);
        recorder.sent.clear();
    }

    std::vector<ReceivedFrame> applyFrames() const {
        std::vector<ReceivedFrame> frames = recorder.frames();
        std::erase_if(frames, [](const ReceivedFrame& frame) { return frame.hash != hash_name("APLY"); });
        return frames;
    }
};

QString settingsShown(const ApplyDialog& dialog) { return dialog.findChild<QLabel*>("settings")->text(); }
QCheckBox& box(const ApplyDialog& dialog, const char* name) { return *dialog.findChild<QCheckBox*>(name); }
void clickOk(const ApplyDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

TEST(ApplyDialog, ShowsTheTextsAndTheModuleSettingsWithDataBitsOnlyWhereTheModelHasThem) {
    struct Case {
        int model;
        const char* settings;
    };
    const Case cases[] = {
        {test::kKq16, "Baud rate: 9600\nData bits: 8\nParity: none\nStop bits: 1\nAddress bits: 8\nAddress: 16"},
        {kKq08, "Baud rate: 9600\nParity: none\nStop bits: 1\nAddress bits: 8\nAddress: 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        ApplyBench bench(c.model);
        ApplyDialog dialog(bench.doc);
        EXPECT_EQ(settingsShown(dialog), c.settings);
        EXPECT_EQ(dialog.windowTitle(), "New network settings");
        EXPECT_EQ(box(dialog, "changeProgram").text(), "Change network settings of Configurator");
        EXPECT_TRUE(box(dialog, "changeProgram").isChecked());
        EXPECT_EQ(box(dialog, "broadcast").text(), "Run APLY as a broadcast command");
        EXPECT_FALSE(box(dialog, "broadcast").isChecked());
        if (c.model == test::kKq16) {
            dialog.show();
            test::saveShot(dialog, "apply_dialog");
        }
    }
}

TEST(ApplyDialog, WithoutADeviceModelSaysSoAndOkSendsNothing) {
    test::DocumentBench bench;  // no document yet: no device model, no network branch
    ApplyDialog dialog(bench.doc);
    EXPECT_EQ(settingsShown(dialog).toStdString(), Text("IDS_STRING320"));
    dialog.show();
    clickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(bench.recorder.sent.empty());
}

TEST(ApplyDialog, OkSendsApplyToTheModuleOrToAddress255AndKeepsTheAddressOffset) {
    struct Case {
        bool broadcast;
        int address;
    };
    for (const Case c : {Case{false, kModuleAddress}, Case{true, 255}}) {
        SCOPED_TRACE(c.broadcast);
        ApplyBench bench;
        bench.writeBaudRate("19200");
        ApplyDialog dialog(bench.doc);
        dialog.show();
        box(dialog, "broadcast").setChecked(c.broadcast);
        clickOk(dialog);

        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const std::vector<ReceivedFrame> frames = bench.applyFrames();
        ASSERT_EQ(frames.size(), 1u);
        EXPECT_EQ(frames[0].address(8), c.address);
        EXPECT_FALSE(frames[0].requestBit());  // a write
        EXPECT_EQ(bench.doc.deviceModel()->GetApplyParameter().addressOffset, 0);
        EXPECT_EQ(bench.module.settings().line.baud, 19200);  // the module took it
        EXPECT_TRUE(bench.ui.messages.empty());
    }
}

TEST(ApplyDialog, ABroadcastRestoresAnOffsetTheApplyParameterHadBefore) {
    ApplyBench bench;
    bench.doc.deviceModel()->GetApplyParameter().addressOffset = 3;
    ApplyDialog dialog(bench.doc);
    dialog.show();
    box(dialog, "broadcast").setChecked(true);
    clickOk(dialog);
    ASSERT_EQ(bench.applyFrames().size(), 1u);
    EXPECT_EQ(bench.applyFrames()[0].address(8), 255);
    EXPECT_EQ(bench.doc.deviceModel()->GetApplyParameter().addressOffset, 3);
}

TEST(ApplyDialog, CancelSendsNothing) {
    ApplyBench bench;
    ApplyDialog dialog(bench.doc);
    dialog.show();
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(bench.recorder.sent.empty());
}

// The document's APLY command as the desktop program runs it: the dialog, then the
// document's copy when the dialog said so.
TEST(ApplyDialog, WithTheBoxTheProgramFollowsTheModuleSkippingNoDataWithoutItNothingChanges) {
    for (const bool follow : {true, false}) {
        SCOPED_TRACE(follow);
        ApplyBench bench;
        bench.writeBaudRate("19200");
        bench.doc.networkBranch()->FindParameter("Addr")->valueText = Text("IDS_NODATA");
        NetRS485prg& program = bench.doc.networkSettings();
        const std::string addressBefore = program.GetParameterText("Addr");
        ASSERT_EQ(program.GetParameterText("bPS"), "9600");

        ApplyDialog dialog(bench.doc);
        dialog.show();
        box(dialog, "changeProgram").setChecked(follow);
        clickOk(dialog);
        EXPECT_EQ(program.GetParameterText("bPS"), "9600");  // the dialog itself copies nothing
        bench.frontEnd.applyDialogAnswer = dialog.result() == QDialog::Accepted && dialog.changeProgramSettings();
        bench.doc.ApplyNetworkSettings();

        EXPECT_EQ(program.GetParameterText("bPS"), follow ? "19200" : "9600");
        EXPECT_EQ(bench.doc.device().sio().baudRate, follow ? 19200u : 9600u);
        EXPECT_EQ(program.GetParameterText("Addr"), addressBefore);
        // Following the module keeps the program talking to it.
        Parameter& address = bench.named("Addr");
        EXPECT_EQ(bench.doc.device().ReadParameter(address, false) == 0, follow);
    }
}

// APLY's reply is not checked (the module restarts its line), so what fails is the
// sending: here the port is no longer usable.
TEST(ApplyDialog, AFailedApplyIsReportedAndKeepsTheDialogOpenOnlyWhereTheModelSaysSo) {
    struct Case {
        int model;
        bool reported;
    };
    for (const Case c : {Case{kKq22, true}, Case{test::kKq16, false}}) {
        SCOPED_TRACE(c.model);
        ApplyBench bench(c.model);
        ASSERT_EQ(bench.recorder.Close(), 0);
        ApplyDialog dialog(bench.doc);
        dialog.show();
        clickOk(dialog);

        EXPECT_TRUE(bench.recorder.sent.empty());
        if (c.reported) {
            ASSERT_EQ(bench.ui.messages.size(), 1u);
            EXPECT_EQ(bench.ui.messages[0].text, "Serial port opening error");
            EXPECT_EQ(bench.ui.messages[0].caption, "");  // the application title
            EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Error);
            EXPECT_TRUE(dialog.isVisible());
        } else {
            EXPECT_TRUE(bench.ui.messages.empty());
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        }
    }
}

}  // namespace
}  // namespace vantor
