#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <filesystem>
#include <memory>

#include "app/gui_user_interface.h"
#include "app/main_window.h"
#include "platform/app_state.h"
#include "platform/settings_store.h"
#include "support/document_bench.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using gui::MainWindow;
using gui::MenuPlace;

// What a menu shows: one line per entry, "label<TAB>shortcut", "-" for a separator and
// ">title" for a submenu.
QStringList describe(const QMenu& menu) {
    QStringList lines;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator())
            lines << "-";
        else if (action->menu())
            lines << ">" + action->text();
        else if (action->shortcut().isEmpty())
            lines << action->text();
        else
            lines << action->text() + "\t" + action->shortcut().toString(QKeySequence::PortableText);
    }
    return lines;
}

// A document of `model` with its tree, and its main window.
struct WindowBench {
    explicit WindowBench(int model = test::kKq16) : bench(model) {
        bench.doc.OnNewDocument();
        window = std::make_unique<MainWindow>(bench.doc, ui);
    }
    test::DocumentBench bench;
    gui::GuiUserInterface ui;
    std::unique_ptr<MainWindow> window;
};

constexpr int kKq01 = 0, kKq02 = 1, kKq04 = 3, kKq07 = 6, kKq15 = 13;

TEST(MainWindow, MenusShowTheirEntriesShortcutsAndSeparators) {
    WindowBench w(kKq04);  // a model that adds nothing to the menu
    const QList<QAction*> bar = w.window->menuBar()->actions();
    QStringList titles;
    for (const QAction* top : bar) titles << top->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Device", "&Tree", "Too&ls", "&Help"}));

    const std::pair<MenuPlace, QStringList> expected[] = {
        {MenuPlace::File,
         {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &as...", "-", "&Recent File", "-", "&Exit"}},
        {MenuPlace::Device,
         {"&Read configuration from device\tAlt+R", "&Save configuration to device\tAlt+W", "Save c&hanges\tAlt+U",
          "&Compare\tAlt+C", "Compare &with file...", "-", ">Co&mmands", "&I/O status...",
          "&View / edit parameter...\tAlt+S", "Check co&nnection...\tAlt+N", "Serial &port settings..."}},
        {MenuPlace::Commands,
         {"Apply &default settings", "&Reboot device (send INIT)\tAlt+I", "Apply &new network settings\tAlt+A"}},
        {MenuPlace::Tree,
         {"&Read selected branch\tCtrl+Alt+R", "&Save selected branch\tCtrl+Alt+W",
          "Save c&hanges within branch\tCtrl+Alt+U", "&Compare within branch\tCtrl+Alt+C", "-",
          "&Previous troubled parameter\tAlt+Up", "&Next troubled parameter\tAlt+Down"}},
        {MenuPlace::Tools,
         {"Show inde&xes", "&Read when open", "&Instant recording", "&Calibration...", "-", "&Toolbar", "&Status bar",
          "&Frame traffic"}},
        {MenuPlace::Help, {"&Help\tF1", "&Export parameter list to HTML...", "-", "&About..."}},
    };
    for (const auto& [place, lines] : expected) EXPECT_EQ(describe(*w.window->menu(place)), lines);
    // The empty recent-file list shows its entry disabled.
    EXPECT_FALSE(w.window->menu(MenuPlace::File)->actions().at(5)->isEnabled());
}

TEST(MainWindow, TheStrainGaugeModelAddsTareWeightInFrontOfCalibration) {
    WindowBench w(kKq15);
    EXPECT_EQ(describe(*w.window->menu(MenuPlace::Tools)),
              QStringList({"Show inde&xes", "&Read when open", "&Instant recording", "Tare &weight", "&Calibration...",
                           "-", "&Toolbar", "&Status bar", "&Frame traffic"}));
    QSignalSpy tare(w.window.get(), &MainWindow::tareWeightRequested);
    w.window->action(gui::command::kTareWeight)->trigger();
    EXPECT_EQ(tare.count(), 1);

    // Another model's menu loses the entry again.
    app().setCurrentModel(kKq04);
    w.bench.doc.OnNewDocument();
    w.window->updateCommands();
    EXPECT_EQ(w.window->action(gui::command::kTareWeight), nullptr);
    EXPECT_EQ(w.window->menu(MenuPlace::Tools)->actions().size(), 8);
}

TEST(MainWindow, TheDeviceModelDecidesWhichCommandsAreEnabled) {
    struct Case {
        int model;  // -1: no tree built
        bool calibration, ioStatus, initAndDefaults;
    };
    const Case cases[] = {
        {-1, false, false, true},      // no model yet: nothing to calibrate or to watch
        {kKq01, true, true, true},     //
        {kKq04, false, true, true},    // no calibration
        {kKq15, true, false, true},    // no I/O status dialog
        {kKq07, false, false, false},  // neither INIT nor default settings
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        test::DocumentBench bench(c.model < 0 ? kKq01 : c.model);
        if (c.model < 0)
            app().setCurrentModel(-1);
        else
            bench.doc.OnNewDocument();
        gui::GuiUserInterface ui;
        MainWindow window(bench.doc, ui);
        EXPECT_EQ(window.action(gui::command::kCalibration)->isEnabled(), c.calibration);
        EXPECT_EQ(window.action(gui::command::kStatus)->isEnabled(), c.ioStatus);
        for (int id : {gui::command::kSendInit, gui::command::kDefaults}) {
            EXPECT_EQ(window.action(id)->isEnabled(), c.initAndDefaults);
            EXPECT_EQ(window.toolBar()->widgetForAction(window.action(id))->isEnabled(), c.initAndDefaults);
        }
    }
}

TEST(MainWindow, TheToolbarHasItsButtonsGapsTooltipsAndPrompts) {
    WindowBench w(kKq01);  // its status command watches inputs
    QStringList tips;
    for (const QAction* button : w.window->toolBar()->actions())
        tips << (button->isSeparator() ? "-" : button->toolTip());
    EXPECT_EQ(tips, QStringList({"New",
                                 "Open",
                                 "Save",
                                 "-",
                                 "Read configuration from device",
                                 "Save configuration to device",
                                 "Save changes",
                                 "-",
                                 "Read selected branch",
                                 "Save selected branch",
                                 "Save changes of selected branch",
                                 "-",
                                 "Apply default settings",
                                 "Send INIT",
                                 "Input status",
                                 "-",
                                 "Previous troubled parameter",
                                 "Next troubled parameter",
                                 "-",
                                 "About program"}));
    const std::pair<int, QString> prompts[] = {
        {gui::command::kReadAll, "Read the whole configuration from the device"},
        {gui::command::kStatus, "Show the state of the device inputs"},
        {57667, "Open the help file"},  // no symbolic name: the string table's prompt
    };
    for (const auto& [id, prompt] : prompts) EXPECT_EQ(w.window->action(id)->statusTip(), prompt) << id;

    app().setCurrentModel(kKq02);  // outputs only
    w.bench.doc.OnNewDocument();
    w.window->updateCommands();
    EXPECT_EQ(w.window->action(gui::command::kStatus)->toolTip(), "Output status");
}

TEST(MainWindow, CommandsReachTheDocument) {
    const std::pair<int, OperationCode> commands[] = {
        {gui::command::kReadAll, OperationCode::ReadAll},
        {gui::command::kWriteAll, OperationCode::WriteAll},
        {256, OperationCode::WriteChanges},
        {257, OperationCode::Compare},
    };
    for (const auto& [id, code] : commands) {
        WindowBench w;
        w.bench.named("Rs.dL").valueChanged = 1;  // something for "Save changes" to write
        w.window->action(id)->trigger();
        ASSERT_EQ(w.bench.frontEnd.waitDialogs.size(), 1u) << id;
        EXPECT_EQ(w.bench.frontEnd.waitDialogs[0], code) << id;
    }
    WindowBench w;
    QSignalSpy port(w.window.get(), &MainWindow::connectionSettingsRequested);
    QSignalSpy html(w.window.get(), &MainWindow::htmlExportRequested);
    w.window->action(32819)->trigger();
    w.window->action(32804)->trigger();
    EXPECT_EQ(port.count(), 1);
    EXPECT_EQ(html.count(), 1);
}

TEST(MainWindow, OptionSwitchesShowTheirStateAsCheckMarks) {
    WindowBench w;
    QAction* showIndexes = w.window->action(380);
    QAction* instant = w.window->action(268);
    EXPECT_FALSE(showIndexes->isChecked());
    showIndexes->trigger();
    EXPECT_TRUE(showIndexes->isChecked());
    EXPECT_TRUE(w.bench.ui.option(OptionSwitch::ShowIndexes));
    EXPECT_EQ(OpenSettings(SettingsScope::PerUser)->readInteger("showlindex"), 1u);

    // A switch changed elsewhere (the link clears "Read when open") moves its mark.
    w.ui.setOption(OptionSwitch::InstantRecording, true);
    EXPECT_TRUE(instant->isChecked());
    w.ui.setOption(OptionSwitch::InstantRecording, false);
    EXPECT_FALSE(instant->isChecked());
}

// The toolbar is hidden at first, the status bar (connection, last task) shown.
TEST(MainWindow, BarsStartAsToolbarHiddenStatusBarShownAndKeepTheirVisibilityForTheNextRun) {
    WindowBench w;
    QAction* toolBar = w.window->action(gui::command::kToolBar);
    QAction* statusBar = w.window->action(gui::command::kStatusBar);
    EXPECT_FALSE(toolBar->isChecked());
    EXPECT_TRUE(statusBar->isChecked());
    EXPECT_FALSE(w.window->toolBar()->isVisibleTo(w.window.get()));
    EXPECT_TRUE(w.window->statusBar()->isVisibleTo(w.window.get()));

    toolBar->trigger();
    statusBar->trigger();
    EXPECT_TRUE(toolBar->isChecked());
    EXPECT_TRUE(w.window->toolBar()->isVisibleTo(w.window.get()));
    EXPECT_FALSE(w.window->statusBar()->isVisibleTo(w.window.get()));
    w.window.reset();
    const auto settings = OpenSettings(SettingsScope::PerUser);
    EXPECT_EQ(settings->readInteger("viewtoolbar"), 1u);
    EXPECT_EQ(settings->readInteger("viewstatusbar"), 0u);

    MainWindow again(w.bench.doc, w.ui);
    EXPECT_TRUE(again.toolBar()->isVisibleTo(&again));
    EXPECT_FALSE(again.statusBar()->isVisibleTo(&again));
    EXPECT_FALSE(again.action(gui::command::kStatusBar)->isChecked());
}

TEST(MainWindow, TheTitleNamesTheModelAndTheDocument) {
    {
        test::DocumentBench bench;
        app().setCurrentModel(-1);
        gui::GuiUserInterface ui;
        MainWindow window(bench.doc, ui);
        EXPECT_EQ(window.windowTitle(), "Configurator <unknown> - no name[*]");
    }
    WindowBench w(kKq01);
    EXPECT_EQ(w.window->windowTitle(), "Configurator KQ-01 - no name[*]");
    const std::string path = w.bench.home.path() + "/plant.vantor";
    ASSERT_TRUE(w.window->saveFileAs(QString::fromStdString(path)));
    EXPECT_EQ(w.window->windowTitle(), "Configurator KQ-01 - plant.vantor[*]");
}

TEST(MainWindow, SavedAndOpenedFilesBecomeRecentEntries) {
    WindowBench w;
    const QString first = QString::fromStdString(w.bench.home.path() + "/first.vantor");
    const QString second = QString::fromStdString(w.bench.home.path() + "/second.vantor");
    ASSERT_TRUE(w.window->saveFileAs(first));
    ASSERT_TRUE(w.window->saveFileAs(second));
    EXPECT_EQ(describe(*w.window->menu(MenuPlace::File)).mid(5, 3), QStringList({"&1 " + second, "&2 " + first, "-"}));

    // An entry opens its file; one whose file is gone leaves the list.
    w.window->menu(MenuPlace::File)->actions().at(6)->trigger();
    EXPECT_EQ(w.bench.doc.pathName(), first.toStdString());
    EXPECT_EQ(w.window->recentFiles().paths(), QStringList({first, second}));
    std::filesystem::remove(second.toStdString());
    w.window->menu(MenuPlace::File)->actions().at(6)->trigger();
    EXPECT_EQ(w.window->recentFiles().paths(), QStringList({first}));
}

TEST(MainWindow, AFailedSaveIsReported) {
    WindowBench w;
    EXPECT_FALSE(w.window->saveFileAs(QString::fromStdString(w.bench.home.path() + "/missing/folder/x.vantor")));
    ASSERT_EQ(w.bench.ui.messages.size(), 1u);
    EXPECT_EQ(w.bench.ui.messages[0].text.rfind("Failed to save the configuration file.\n", 0), 0u);
    EXPECT_TRUE(w.window->recentFiles().paths().isEmpty());
}

class MainWindowFiles : public test::TemporaryFolderTest {};

TEST_F(MainWindowFiles, ADroppedFileOpensAfterTheModelCheck) {
    const std::string file = path("kq01.vantor");
    {
        WindowBench other(kKq01);
        ASSERT_TRUE(other.window->saveFileAs(QString::fromStdString(file)));
    }
    WindowBench w(kKq04);
    const auto drop = [&] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.window.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.window.get(), &dropped);
    };
    w.bench.ui.answers = {MessageAnswer::No};  // a file of another model: keep the document
    drop();
    ASSERT_EQ(w.bench.ui.messages.size(), 1u);
    EXPECT_EQ(w.bench.ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(w.bench.doc.pathName().empty());
    w.bench.ui.answers = {MessageAnswer::Yes};
    drop();
    EXPECT_EQ(w.bench.doc.pathName(), file);
    EXPECT_EQ(w.window->windowTitle(), "Configurator KQ-01 - kq01.vantor[*]");
}

TEST(MainWindow, TheLinksRequestsReachTheDocumentOnceHandedOver) {
    WindowBench w;
    const std::string file = w.bench.home.path() + "/job.vantor";
    app().commandLineFile() = file;
    emit w.ui.saveAfterReadRequested();
    emit w.ui.applyNetworkSettingsRequested();
    EXPECT_FALSE(std::filesystem::exists(file));  // queued, not yet
    QCoreApplication::processEvents();
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(w.bench.doc.pathName(), file);
    EXPECT_EQ(w.bench.frontEnd.applyDialogs, 1);
}

TEST(MainWindow, CloseRequestsAreIgnoredUntilAllowed) {
    WindowBench w;
    w.window->show();
    EXPECT_FALSE(w.window->close());
    EXPECT_TRUE(w.window->isVisible());
    w.window->setCloseAllowed(true);
    EXPECT_TRUE(w.window->close());
}

TEST(MainWindow, AFixedGeometryCannotBeResizedMovedOrMaximized) {
    WindowBench w;
    w.window->setCloseAllowed(true);
    w.window->setGeometry(100, 80, 800, 600);
    w.window->show();
    w.window->setFixedGeometry(true);
    const QRect fixed = w.window->geometry();
    w.window->resize(1000, 700);
    w.window->move(300, 300);
    w.window->showMaximized();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.window->geometry(), fixed);
    EXPECT_FALSE(w.window->isMaximized());

    w.window->setFixedGeometry(false);
    w.window->resize(1000, 700);
    EXPECT_EQ(w.window->size(), QSize(1000, 700));
}

}  // namespace
}  // namespace vantor
