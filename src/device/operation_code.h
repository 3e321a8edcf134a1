#pragma once
// The tasks the communication thread carries out, numbered as the wait dialog hands
// them over, and what a finished task reports.

#include <algorithm>

#include "elements/parameter_exchange.h"

namespace vantor {

enum class OperationCode : int {
    ReadAll = 1,
    ReadOne = 3,
    WriteAll = 4,
    WriteChanges = 5,
    Compare = 6,
    WriteDefaults = 7,
    WriteOne = 9,
};

// The two codes that work on one parameter instead of a task element.
constexpr bool isSingleParameterTask(OperationCode code) {
    return code == OperationCode::ReadOne || code == OperationCode::WriteOne;
}

// The participation mode of an element write: every parameter, the changed ones, those
// with a configuration value; 0 for the codes that do not write an element.
constexpr int writeModeOf(OperationCode code) {
    switch (code) {
    case OperationCode::WriteAll: return 1;
    case OperationCode::WriteChanges: return 0;
    case OperationCode::WriteDefaults: return -1;
    default: return 0;
    }
}

struct TaskOutcome {
    OperationCode code = OperationCode::ReadAll;
    // Element tasks: the element operation's counts. Single tasks: (1, 0) or (1, 1).
    ExchangeCounts counts;
    // The parameters the task set out to handle (the progress range).
    int total = 0;
    bool cancelled = false;       // the cancel event ended the task early
    bool portReopened = false;    // the port was found unusable and opened for the task
    bool restartWanted = false;   // the model asked for INIT after the write
    bool applyRequested = false;  // the network settings changed: APLY was requested instead
    bool initSent = false;        // INIT went to the module and was accepted

    // A parameter of the task could not be exchanged with the module (a comparison's
    // differences are its result, not failures).
    bool failed() const { return counts.exchangeFailures() > 0; }
    // The parameters that failed and, of a task that ended early, those never reached.
    int failedOrMissed() const { return counts.exchangeFailures() + std::max(0, total - counts.handled); }
    // Whole: at least the ones handled.
    int range() const { return std::max(total, counts.handled); }
};

}  // namespace vantor
