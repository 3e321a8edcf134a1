#pragma once
// Looking for the module when its baud rate is not known: a connection check at each
// rate the program network settings offer, in order, until a module of the catalogue
// answers. Address, address length and character format stay as set. The connection
// dialog runs it on its worker thread and shows the status texts; nothing here knows
// the dialog.

#include <functional>
#include <string>
#include <vector>

namespace vantor {

class Device;
class ObjectWithParameters;

class NetworkScan {
public:
    // A status line for the person; `error` marks a failure (the dialog beeps).
    using StatusSink = std::function<void(const std::string& text, bool error)>;

    // `settings` is the program network settings element whose "bPS" parameter the
    // device link opens the port with (through its settings source).
    NetworkScan(Device& device, ObjectWithParameters& settings, StatusSink status);

    // One connection check with the settings as they are; true when a module answered.
    bool Connect();
    // The check at each offered rate. True with the found rate left in "bPS"; false
    // with the rate from before the scan put back. The link's cancel event ends the
    // scan after the check in progress (without the failure text).
    bool Scan();

    // The rates "bPS" offers in scan order: the choices of its type, or the rates every
    // module runs at when the type lists none.
    std::vector<std::string> offeredRates() const;

private:
    Device& device_;
    ObjectWithParameters& settings_;
    StatusSink status_;
};

}  // namespace vantor
