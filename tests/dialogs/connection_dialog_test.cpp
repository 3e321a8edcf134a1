#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <mutex>

#include "description/catalogue.h"
#include "dialog_bench.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/device_selection_dialog.h"
#include "support/document_bench.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::ConnectionDialog;
using test::eventually;

QPushButton& button(const ConnectionDialog& dialog, const char* key) {
    const QString text = QString::fromStdString(TextByKey(key));
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>())
        if (candidate->text() == text) return *candidate;
    throw std::runtime_error(std::string("no button ") + key);
}

QString status(const ConnectionDialog& dialog) { return dialog.findChild<QLabel*>("status")->text(); }
QString text(const char* key) { return QString::fromStdString(Text(key)); }

bool endedWith(ConnectionDialog& dialog, QDialog::DialogCode code) {
    return eventually([&] { return !dialog.isVisible(); }) && dialog.result() == code;
}

// The module now listens at `baud`: the rate written to it and applied.
void moveModuleTo(test::DocumentBench& bench, const char* baud) {
    ASSERT_TRUE(bench.doc.OnNewDocument());
    Parameter& rate = *bench.doc.networkBranch()->FindParameter("bPS");
    ASSERT_TRUE(rate.SetValue(baud));
    ASSERT_EQ(bench.doc.device().WriteParameter(rate, 1), 0);
    ASSERT_TRUE(bench.doc.SendApply(false));
    ASSERT_EQ(bench.module.settings().line.baud, std::stoi(baud));
}

TEST(ConnectionDialog, ConnectFindsTheModuleAndEndsWithOk) {
    test::DocumentBench bench;
    ConnectionDialog dialog(bench.doc, ConnectionDialog::Mode::StartUp);
    dialog.show();
    test::saveShot(dialog, "connection_dialog");
    button(dialog, "IDD_SETUP_CARRIER_ID_TRY_CARRIER").click();
    ASSERT_TRUE(endedWith(dialog, QDialog::Accepted));
    EXPECT_EQ(status(dialog), text("IDS_STRING207"));
    EXPECT_TRUE(dialog.connected());  // the window then checks the module's model
    EXPECT_FALSE(dialog.exitChosen());
    EXPECT_FALSE(bench.doc.device().cancelled());  // the link is left ready for its tasks
}

TEST(ConnectionDialog, ScanFindsTheModuleAt19200AndKeepsTheRate) {
    test::DocumentBench bench;
    moveModuleTo(bench, "19200");
    ASSERT_EQ(bench.doc.networkSettings().GetParameterText("bPS"), "9600");
    ConnectionDialog dialog(bench.doc, ConnectionDialog::Mode::StartUp);
    dialog.show();
    button(dialog, "IDD_SETUP_CARRIER_ID_SCAN_NET").click();
    ASSERT_TRUE(endedWith(dialog, QDialog::Accepted));
    EXPECT_EQ(status(dialog), text("IDS_STRING207"));
    EXPECT_EQ(bench.doc.networkSettings().GetParameterText("bPS"), "19200");
    EXPECT_EQ(bench.doc.device().sio().baudRate, 19200u);
}

TEST(ConnectionDialog, ConnectWithoutAnAnswerSaysSoAndStaysOpen) {
    test::DocumentBench bench;
    moveModuleTo(bench, "19200");
    ConnectionDialog dialog(bench.doc, ConnectionDialog::Mode::StartUp);
    dialog.show();
    button(dialog, "IDD_SETUP_CARRIER_ID_TRY_CARRIER").click();
    ASSERT_TRUE(eventually([&] { return status(dialog) == text("IDS_STRING262"); }));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(button(dialog, "IDD_SETUP_CARRIER_ID_TRY_CARRIER").isEnabled());
}

TEST(ConnectionDialog, ExitWhileAScanRunsEndsOnlyAfterTheCheckInProgress) {
    test::DocumentBench bench;
    moveModuleTo(bench, "19200");
    ConnectionDialog dialog(bench.doc, ConnectionDialog::Mode::StartUp);
    dialog.show();
    std::unique_lock link(app().linkLock());  // the check waits for the link
    button(dialog, "IDD_SETUP_CARRIER_ID_SCAN_NET").click();
    button(dialog, "IDD_SETUP_CARRIER_IDCANCEL").click();
    EXPECT_EQ(status(dialog), text("IDS_STRING204"));
    EXPECT_TRUE(dialog.isVisible());
    test::saveShot(dialog, "connection_dialog_terminating");
    link.unlock();
    ASSERT_TRUE(endedWith(dialog, QDialog::Rejected));
    EXPECT_TRUE(dialog.exitChosen());
    EXPECT_EQ(bench.doc.networkSettings().GetParameterText("bPS"), "9600");  // put back
}

TEST(ConnectionDialog, ExitMeansLeavingTheProgramOnlyAtStartUp) {
    for (const auto mode : {ConnectionDialog::Mode::StartUp, ConnectionDialog::Mode::Settings}) {
        test::DocumentBench bench;
        ConnectionDialog dialog(bench.doc, mode);
        dialog.show();
        EXPECT_EQ(button(dialog, "IDD_SETUP_CARRIER_ID_STOP").isEnabled(), mode == ConnectionDialog::Mode::StartUp);
        button(dialog, "IDD_SETUP_CARRIER_IDCANCEL").click();
        ASSERT_TRUE(endedWith(dialog, QDialog::Rejected));
        EXPECT_EQ(dialog.exitChosen(), mode == ConnectionDialog::Mode::StartUp);
    }
}

TEST(ConnectionDialog, FactorySettingsLeaveThePortAndConnect) {
    test::DocumentBench bench;
    NetRS485prg& settings = bench.doc.networkSettings();
    settings.SetParameterText("Port", "/dev/ttyUSB7");
    settings.SetParameterText("bPS", "2400");
    settings.SetParameterText("Addr", "42");
    ConnectionDialog dialog(bench.doc, ConnectionDialog::Mode::Settings);
    dialog.show();
    button(dialog, "IDD_SETUP_CARRIER_ID_RESET_NET").click();
    ASSERT_TRUE(endedWith(dialog, QDialog::Accepted));
    EXPECT_EQ(settings.GetParameterText("bPS"), "9600");
    EXPECT_EQ(settings.GetParameterText("Addr"), "16");
    EXPECT_EQ(settings.GetParameterText("Port"), "/dev/ttyUSB7");
}

// Work offline stops the worker, then asks for the model: chosen, it is the document's
// model from now on; cancelled, the dialog ends as with Exit.
TEST(ConnectionDialog, WorkOfflineTakesTheModelChosenByHand) {
    for (const bool choose : {true, false}) {
        test::DocumentBench bench;
        app().setCurrentModel(-1);
        ConnectionDialog dialog(bench.doc, ConnectionDialog::Mode::StartUp);
        dialog.show();
        bool asked = false;
        QTimer poll;  // the selection opens once the worker has stopped
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* selection = qobject_cast<gui::DeviceSelectionDialog*>(QApplication::activeModalWidget());
            if (!selection) return;
            asked = true;
            poll.stop();
            if (!choose) return selection->reject();
            auto* list = selection->findChild<QTreeWidget*>();
            const QString name = QString::fromStdString(modelDisplayName(test::kKq16));
            list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
            selection->accept();
        });
        poll.start(10);
        button(dialog, "IDD_SETUP_CARRIER_ID_STOP").click();
        ASSERT_TRUE(endedWith(dialog, choose ? QDialog::Accepted : QDialog::Rejected));
        EXPECT_TRUE(asked);
        EXPECT_EQ(dialog.exitChosen(), !choose);
        EXPECT_FALSE(dialog.connected());  // offline: no module whose model could count
        EXPECT_EQ(app().currentModel(), choose ? test::kKq16 : -1);
        EXPECT_EQ(bench.doc.device().catalogueFixed.load(), choose);
        EXPECT_TRUE(app().commandLine().mode & kModeAutoreadOff);
    }
}

}  // namespace
}  // namespace vantor
