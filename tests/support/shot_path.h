#pragma once
// Where the widget tests keep the pictures of their windows for a person to look at:
// $VANTOR_SHOTS, or /tmp/shots; the folder is made on first use.

#include <QDir>
#include <QString>

namespace vantor::test {

inline QString shotPath(const QString& name) {
    const QString folder = qEnvironmentVariableIsEmpty("VANTOR_SHOTS") ? QStringLiteral("/tmp/shots")
                                                                       : qEnvironmentVariable("VANTOR_SHOTS");
    QDir().mkpath(folder);
    return folder + "/" + name + ".png";
}

}  // namespace vantor::test
