// vantor: the desktop configurator.

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QMetaObject>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/plimo_app.h"
#include "cmdline/last_resort.h"
#include "cmdline/scanner.h"
#include "document/command_line_info.h"
#include "text/texts.h"

namespace {

constexpr const char kUsage[] =
    "usage: vantor [FILE.vantor] [/OPTION[:VALUE][/OPTION...]]...\n"
    "The desktop configurator of Vantor RS-485 I/O modules. Options begin with \"/\" or\n"
    "\"-\", several joined by \"/\"; letter case does not matter; \"--\" ends them:\n"
    "  read, write        read the module into FILE / write FILE into the module\n"
    "  close              close the program when the job has ended\n"
    "  aply               also put the network settings given into the module (APLY)\n"
    "  port:N             the serial port COMn (/dev/ttyS(n-1))\n"
    "  bps:N, prty:even|odd|no, addr:A, len:N, sbit:S, alen:N   the network settings\n"
    "  rs485:auto|off|on  the RS-485 adapter mode\n"
    "  autoread:on|off    whether a file opened reads the module at once\n"
    "  silent, test       no message when the port fails / only check the connection\n"
    "  elog:PATH, exitevent:NAME   the error log / the event that ends the run\n"
    "  x:N, y:N, w:N, h:N the window's position and size\n"
    "For example: vantor /read/port:3/bps:19200/close /srv/cfg/line4.vantor\n"
    "Exit status: 0, or 200 + the lowest result bit (200 no file to write, 201 port,\n"
    "202 no answer, 203 transmission, 204 module error, 205 cancelled, 206 not\n"
    "recognised, 207 file not saved). Without a display (DISPLAY, WAYLAND_DISPLAY and\n"
    "QT_QPA_PLATFORM unset) a job that ends by itself (read or write with close, or\n"
    "test) runs without a window; anything else ends with status 1.\n";

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// Where Qt would find no screen and abort, since no platform is chosen.
bool noDisplay() { return !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM"); }

// A job that ends by itself, which needs no one to look at the window.
bool endsByItself(int argc, char** argv) {
    vantor::CommandLineSettings settings;
    std::string file;
    std::string errorLog;
    vantor::CmyCommandLineInfo(settings, file, errorLog).ParseCommandLine(argc, argv);
    const bool job = settings.options & (vantor::kOptRead | vantor::kOptWrite);
    return (job && (settings.options & vantor::kOptClose)) || (settings.mode & vantor::kModeTest);
}

// Without a screen nobody can answer a message box: its text goes to stderr, and the
// box closes as Escape closes it, so that the job goes on to its exit code.
class MessagesToStderr : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = event->type() == QEvent::Show ? qobject_cast<QMessageBox*>(watched) : nullptr;
        if (box) {
            std::fprintf(stderr, "vantor: %s\n", box->text().toLocal8Bit().constData());
            QMetaObject::invokeMethod(box, &QMessageBox::reject, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
};

int run(int argc, char** argv) {
    // Decided before Qt looks for a screen, which it aborts without.
    if (vantor::cmdline::asksForHelp(vantor::cmdline::Arguments(argv + 1, argv + argc))) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool withoutScreen = noDisplay();
    if (withoutScreen) {
        if (!endsByItself(argc, argv)) {
            std::fprintf(stderr, "vantor: %s\n", vantor::Text("IDS_NO_DISPLAY").c_str());
            return 1;
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    QApplication application(argc, argv);
    MessagesToStderr messagesToStderr;
    // On a platform that shows nothing (no screen, or offscreen asked for by the
    // caller) a job's message box would wait for a click that never comes.
    const QString platform = QGuiApplication::platformName();
    const bool unseen = withoutScreen || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
    if (unseen && endsByItself(argc, argv)) application.installEventFilter(&messagesToStderr);
    // Qt takes the person's locale for the C library too; the values on the wire and in
    // the files are read and printed with a decimal point whatever the desktop shows.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("vantor"));
    return vantor::gui::CPlimoApp().run();
}

}  // namespace

int main(int argc, char** argv) { return vantor::cmdline::runReportingEscapes("vantor", run, argc, argv); }
