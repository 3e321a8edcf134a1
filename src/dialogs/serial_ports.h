#pragma once
// The serial ports present in the system as the port row offers them: the device path
// the link opens, and beside it the name a USB adapter gives itself.

#include <QList>
#include <QString>

namespace vantor::gui {

struct SerialPortEntry {
    QString path;
    QString label;  // the path, followed by the adapter's description when it has one

    bool operator==(const SerialPortEntry&) const = default;
};

// Sorted by path.
QList<SerialPortEntry> availableSerialPorts();

}  // namespace vantor::gui
