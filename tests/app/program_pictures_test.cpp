// Pictures of the program as a service engineer sees it, for a person to look at: the
// main window with the tree read from the virtual module, the wait dialog during that
// read, the new network settings dialog, the connection dialog and the device
// selection. They go to $VANTOR_SHOTS (default /tmp/shots); scripts/demo shows their
// paths when there is no display.

#include <gtest/gtest.h>

#include <QDir>
#include <QMutex>
#include <QTreeView>
#include <mutex>

#include "app/gui_user_interface.h"
#include "app/main_window.h"
#include "dialogs/apply_dialog.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/device_selection_dialog.h"
#include "dialogs/wait_dialog.h"
#include "platform/settings_store.h"
#include "support/document_bench.h"
#include "support/shot_path.h"
#include "view/parameter_view.h"

namespace vantor {
namespace {

TEST(ProgramPictures, MainWindowWaitDialogConnectionAndDeviceSelection) {
    test::DocumentBench bench(13);  // KQ-15: a tree with inputs, calibration and sampled values
    ASSERT_TRUE(bench.doc.OnNewDocument());
    {
        const auto settings = OpenSettings(SettingsScope::PerUser);
        settings->writeInteger("viewtoolbar", 1);
        settings->writeInteger("viewstatusbar", 1);
    }
    gui::GuiUserInterface ui;
    gui::MainWindow window(bench.doc, ui);
    gui::ParameterView view(bench.doc, ui);
    window.setCentralView(&view);
    window.resize(1100, 720);
    window.show();
    view.fill();

    // The read as the menu runs it; its log is kept for the wait dialog's picture.
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    window.updateTitle();
    window.updateCommands();
    auto* tree = view.findChild<QTreeView*>();
    ASSERT_NE(tree, nullptr);
    tree->expandAll();
    EXPECT_TRUE(window.grab().save(test::shotPath("vantor_main_window")));

    {
        // The wait dialog while a read is under way: the task waits for the link lock.
        std::unique_lock link(app().linkLock());
        Device& device = bench.doc.device();
        device.progressTotal = static_cast<int>(bench.ui.progressLines.size());
        ASSERT_TRUE(device.StartTask(OperationCode::ReadAll, *bench.doc.rootBranch()));
        gui::WaitDialog wait(OperationCode::ReadAll, device, &window);
        wait.show();
        const std::size_t shown = std::min<std::size_t>(14, bench.ui.progressLines.size());
        for (std::size_t i = 0; i < shown; ++i)
            wait.appendLog(QString::fromStdString(bench.ui.progressLines[i]), static_cast<int>(i + 1));
        EXPECT_TRUE(wait.grab().save(test::shotPath("vantor_wait_dialog")));
        device.CancelTask();
        link.unlock();
        device.WaitTask();
    }

    gui::ApplyDialog apply(bench.doc, &window);
    apply.show();
    EXPECT_TRUE(apply.grab().save(test::shotPath("vantor_apply_dialog")));
    apply.reject();

    gui::ConnectionDialog connection(bench.doc, gui::ConnectionDialog::Mode::StartUp, &window);
    connection.show();
    EXPECT_TRUE(connection.grab().save(test::shotPath("vantor_connection_dialog")));
    connection.reject();

    gui::DeviceSelectionDialog selection(13, &window);
    selection.show();
    EXPECT_TRUE(selection.grab().save(test::shotPath("vantor_device_selection")));
    window.setCloseAllowed(true);
}

}  // namespace
}  // namespace vantor
