#pragma once
// A page waiting for the module to finish what it measures on its own (a pH point, an
// energy meter's stage): the page's busy line, live readings of what tells how far the
// module is, and the time the module is given. Whatever ends the wait ends all three.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calibration/framework/calibration_link.h"

namespace vantor::gui {

class CalibrationPage;

class ModuleWait : public QObject {
    Q_OBJECT
public:
    explicit ModuleWait(CalibrationPage& page);

    // Shows the busy line with `busyText` and reads `watched` in rounds, each reading
    // handed to `onReading`; after `timeoutMs` without end() the wait ends and
    // `onTimeOut` runs.
    void start(const std::string& busyText, std::vector<Parameter*> watched, int timeoutMs,
               std::function<void(const Reading&)> onReading, std::function<void()> onTimeOut);
    // Hides the busy line, stops the readings and the clock; nothing more is handed over.
    void end();
    bool running() const { return clock_.isActive(); }

private:
    CalibrationPage& page_;
    QTimer clock_;
    std::function<void()> onTimeOut_;
};

// The status word a value text starts with, read as "%i" does with base 0 and as "%d"
// with base 10; none when the text is no number.
std::optional<std::uint32_t> statusWord(const std::string& text, int base);
// The same of a reading; none too when the read failed, because the text then still
// holds an earlier answer.
std::optional<std::uint32_t> statusWord(const Reading& reading, int base);

}  // namespace vantor::gui
