#pragma once
// The waits of the calibration procedures, in milliseconds. The module's own pace sets
// them; tests run the same procedures with short ones.

namespace vantor::gui {

struct CalibrationTiming {
    int firstPollMs = 2000;       // start of a job until its result is first read
    int repeatPollMs = 1000;      // between reads of a busy job's result
    int readingPauseMs = 200;     // after each round of live readings
    int pointTimeoutMs = 15000;   // a pH or redox point the module must finish in
    int stageTimeoutMs = 120000;  // an energy meter's calibration stage
    int settleMs = 400;           // after the strain gauge's lower limit
    int tarePollMs = 200;         // the tare dialog's weight reading
    int functionWaitMs = 1000;    // between the calibration function polls of the input modules
    int checkPauseMs = 500;       // before the coefficients are checked, and after leaving calibration

    // Every wait a millisecond: what tests use.
    static CalibrationTiming quick() { return {1, 1, 1, 2000, 2000, 1, 1, 1, 1}; }
};

}  // namespace vantor::gui
