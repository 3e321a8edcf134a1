// vantor: the desktop configurator.

#include <QApplication>
#include <clocale>

#include "app/plimo_app.h"
#include "cmdline/last_resort.h"

namespace {

int run(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt takes the person's locale for the C library too; the values on the wire and in
    // the files are read and printed with a decimal point whatever the desktop shows.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("vantor"));
    return vantor::gui::CPlimoApp().run();
}

}  // namespace

int main(int argc, char** argv) { return vantor::cmdline::runReportingEscapes("vantor", run, argc, argv); }
