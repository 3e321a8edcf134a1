#include "dialogs/serial_ports.h"

#include <QSerialPortInfo>
#include <algorithm>

namespace vantor::gui {

QList<SerialPortEntry> availableSerialPorts() {
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        const QString path = info.systemLocation();
        const QString description = info.description().trimmed();
        ports.append({path, description.isEmpty() ? path : QStringLiteral("%1  (%2)").arg(path, description)});
    }
    std::sort(ports.begin(), ports.end(),
              [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.path < b.path; });
    return ports;
}

}  // namespace vantor::gui
