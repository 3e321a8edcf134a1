#pragma once
// How the virtual module's calibration behaves, set from outside (a test, the command
// line, the state file): the input signal the person applies, a failure or a hang of
// the next job, and how long a job keeps the module busy. Also what the calibration
// keeps in the module's permanent memory besides its parameters.

#include <map>
#include <optional>
#include <string>

namespace vantor::sim {

struct CalibrationSettings {
    std::optional<double> signalPercent{};    // the simulated input signal in % of the input's
                                              // range; none: each job sees the signal it expects
    std::optional<int> failNextJob{};         // the next job ends with this failure (the family's
                                              // own code); cleared when that job ends
    bool hangNextJob = false;                 // the next job never ends (stays busy); taken by
                                              // the next start
    int busyReads = 2;                        // result/status reads answered "busy" before a job ends
    std::optional<double> slope{};            // the electrode slope a pH calibration reports
    std::optional<int> invalidCoefficient{};  // the coefficient an input module's check names
                                              // invalid (0 or none: all are valid)

    bool operator==(const CalibrationSettings&) const = default;
};

// The coefficients a calibration stored, by name ("gain", "type2.k1", ...).
using CalibrationStore = std::map<std::string, double>;

// Adds one "--calibration" item: "signal=PERCENT", "fail=CODE", "hang", "busy=N",
// "slope=X", "invalid=N". False with a reason on bad input.
bool addCalibrationItem(const std::string& item, CalibrationSettings& settings, std::string& error);

}  // namespace vantor::sim
