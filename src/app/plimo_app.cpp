#include "app/plimo_app.h"

#include <QApplication>
#include <QDir>
#include <QMetaObject>
#include <atomic>

#include "app/gui_front_end.h"
#include "app/gui_user_interface.h"
#include "app/main_window.h"
#include "app/start_banner.h"
#include "calibration/procedures.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/io_status_dialog.h"
#include "dialogs/single_parameter_dialog.h"
#include "document/command_line_info.h"
#include "document/command_line_start.h"
#include "document/configuration_document.h"
#include "document/read_job.h"
#include "models/base_device.h"
#include "platform/app_state.h"
#include "platform/exit_event.h"
#include "text/texts.h"
#include "view/html_export.h"
#include "view/parameter_view.h"

namespace vantor::gui {

namespace {

// Where the command line puts the window: maximized unless a size is given; a size of
// 0 × 0 minimized; a position and a size fixed until the job has ended.
void placeWindow(MainWindow& window, const CommandLineSettings& settings) {
    const auto given = [&](std::uint8_t bits) { return (settings.geometry & bits) == bits; };
    if (!given(kGeometryW | kGeometryH)) {
        window.showMaximized();
    } else if (settings.w == 0 && settings.h == 0) {
        window.showMinimized();
    } else if (!given(kGeometryX | kGeometryY)) {
        window.showMaximized();
    } else {
        window.setGeometry(settings.x, settings.y, settings.w, settings.h);
        window.show();
        window.setFixedGeometry(true);
    }
}

}  // namespace

int CPlimoApp::run() {
    AppState& state = app();
    state.setAccessLevel(2);
    state.programDirectory() = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString() + "/";

    StartBanner banner;
    banner.show();
    banner.setStatus(QString::fromStdString(Text("IDS_STRING162")));
    QCoreApplication::processEvents();

    state.commandLine() = {};
    CmyCommandLineInfo info;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) info.ParseParam(arguments[i].toStdString());
    const CommandLineSettings settings = state.commandLine();
    const bool commandLineMode = settings.options & kOptCommandLineMode;
    const std::string file = state.commandLineFile();
    const StartCommand start = DecideStartCommand(settings, file, FileHasContent(file));
    if (start == StartCommand::EndWriteFileMissing) {
        state.setResultBit(kResultWriteFileMissing);
        return state.exitCode();
    }

    GuiUserInterface ui;
    GuiFrontEnd frontEnd(ui);
    frontEnd.setSplash(&banner);
    CPlimoDoc document(ui, frontEnd);
    frontEnd.setDocument(&document);
    if (!StartCommandLineDocument(document, start, file)) return state.exitCode();

    MainWindow window(document, ui);
    ParameterView view(document, ui);
    window.setCentralView(&view);
    // The Tree menu carries Alt+Up and Alt+Down for the whole window.
    view.previousTroubledAction().setShortcut({});
    view.nextTroubledAction().setShortcut({});
    frontEnd.setWindow(&window);
    frontEnd.setView(&view);
    QObject::connect(&window, &MainWindow::documentReplaced, &view, &ParameterView::fill);
    QObject::connect(&window, &MainWindow::previousTroubledRequested, &view, &ParameterView::previousTroubled);
    QObject::connect(&window, &MainWindow::nextTroubledRequested, &view, &ParameterView::nextTroubled);
    QObject::connect(&window, &MainWindow::connectionSettingsRequested, &window, [&] {
        ConnectionDialog dialog(document, ConnectionDialog::Mode::Settings, &window);
        dialog.exec();
        if (dialog.connected()) window.offerModelOnLine();
        window.updateCommands();
    });
    QObject::connect(&window, &MainWindow::singleParameterRequested, &window, [&] {
        SingleParameterDialog dialog(document, &window);
        dialog.exec();
    });
    QObject::connect(&window, &MainWindow::ioStatusRequested, &window, [&] {
        IoStatusDialog dialog(document, &window);
        dialog.exec();
    });
    QObject::connect(&window, &MainWindow::calibrationRequested, &window, [&] {
        if (CBaseDevice* model = document.deviceModel()) model->RunCalibration();
        document.UpdateAllViews();
    });
    QObject::connect(&window, &MainWindow::tareWeightRequested, &window, [&] { RunTareWeight(document, &window); });
    QObject::connect(&window, &MainWindow::htmlExportRequested, &window, [&] { ExportParameterList(document, ui); });

    window.setCloseAllowed(true);
    placeWindow(window, settings);
    if (start == StartCommand::OpenFile && document.pathName() == file)
        window.addRecentFile(QString::fromStdString(file));
    banner.finish(&window);
    document.RestoreOptionSwitches();
    view.fill();
    window.updateTitle();
    window.updateCommands();

    // The exit event (and, while a job runs, SIGTERM and SIGINT) ends the run: the
    // exchange in progress stops at once and the window closes.
    std::atomic<bool> exitEvent{false};
    ExitWatch watch;
    watch.start({info.exitEventName(), commandLineMode}, [&](ExitWatchWake wake) {
        if (wake != ExitWatchWake::ExitEvent) return;
        exitEvent = true;
        StopLinkForExit(document.device());
        QMetaObject::invokeMethod(
            &window, [&window] { window.closeUnasked(); }, Qt::QueuedConnection);
    });

    if (commandLineMode) {
        // The job runs once the window is up; afterwards the program is interactive.
        QMetaObject::invokeMethod(
            &window,
            [&] {
                if (settings.options & kOptWrite)
                    document.WriteAll(TreeScope::WholeTree);
                else if ((settings.options & kOptRead) && document.ReadAll(TreeScope::WholeTree))
                    MarkFailedRead(document.lastOutcome());
                window.setFixedGeometry(false);
                watch.releaseSignals();
                state.commandLine() = {};
                if (settings.options & (kOptClose | kOptCalibrate)) window.closeUnasked();
            },
            Qt::QueuedConnection);
    }

    QApplication::exec();
    document.device().StopThreads();
    watch.stop();
    // What the link set while the stopped exchange wound down does not count.
    if (exitEvent) state.replaceResultFlags(1u << kResultCancelled);
    return state.exitCode();
}

}  // namespace vantor::gui
