#include "platform/desktop_open.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <utility>

namespace vantor {

void OpenWithDesktop(const std::string& path, std::function<void()> failed) {
    // Not a child of anything: the opener (and a browser it runs in the foreground) may
    // outlive the window that asked for it.
    auto* opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({QString::fromStdString(path)});
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    auto report = std::make_shared<std::function<void()>>(std::move(failed));
    QObject::connect(opener, &QProcess::finished, opener, [opener, report](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) (*report)();
        opener->deleteLater();
    });
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, report](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        (*report)();
        opener->deleteLater();
    });
    opener->start();
}

}  // namespace vantor
