#pragma once
// SIGTERM and SIGINT end a module command as they end a job: the exchange in progress
// stops at once (the link's stop event breaks off a waiting transaction) and the
// program ends with 205, the cancelled job's code.

#include <functional>

#include "platform/exit_event.h"

namespace vantor::cli {

class EndOnSignal {
public:
    // `stopLink` runs on the watch's thread when a signal comes.
    explicit EndOnSignal(std::function<void()> stopLink);
    EndOnSignal(const EndOnSignal&) = delete;
    EndOnSignal& operator=(const EndOnSignal&) = delete;

    // True once a signal ended the command.
    static bool ended();
    // The program's status: 205 once a signal ended the command, else `status`.
    static int status(int status);

private:
    ExitWatch watch_;
};

}  // namespace vantor::cli
