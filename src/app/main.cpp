// vantor: the desktop configurator.

#include <QApplication>

#include "app/plimo_app.h"
#include "cmdline/last_resort.h"

namespace {

int run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantor"));
    return vantor::gui::CPlimoApp().run();
}

}  // namespace

int main(int argc, char** argv) { return vantor::cmdline::runReportingEscapes("vantor", run, argc, argv); }
