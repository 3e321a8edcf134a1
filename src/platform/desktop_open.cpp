#include "platform/desktop_open.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace vantor {

bool OpenWithDesktop(const std::string& path) {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(path)});
}

}  // namespace vantor
