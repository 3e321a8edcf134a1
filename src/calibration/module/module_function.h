#pragma once
// One calibration function of a module as a raw frame on the calibration link: sent
// after everything posted before it, its reply handed back on the window's thread.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "params/converter.h"

namespace vantor::gui {

class CalibrationLink;

struct FunctionCall {
    int requestBit = 1;  // 1 reads, 0 writes
    const char* name = "";
    Bytes data;
    std::size_t shortestReply = 0;               // a shorter reply is not understood
    std::optional<std::uint32_t> readTimeoutMs;  // the port's read total time-out while it runs
};

struct FunctionReply {
    bool ok = false;
    Bytes data;
    std::string errorText;  // why it failed
};

// `done` runs unless `receiver` is gone by then.
void callFunction(CalibrationLink& link, QObject* receiver, FunctionCall call,
                  std::function<void(const FunctionReply&)> done);

// A text of the table as a widget shows it: the table's line breaks are CR LF.
QString shownText(const std::string& text);
// A dialog's caption or control text.
QString keyedText(const char* key);

}  // namespace vantor::gui
