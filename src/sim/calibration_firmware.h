#pragma once
// The calibration a module's firmware runs, one class per module family, on the
// module's hooks: the person's procedure starts a job by a write, the module answers
// "busy" to a number of reads of the job's result or status, then the outcome. What
// the pieces share is here: the settings, the module's stored coefficients, a job's
// course, the signal check and the reply forms.

#include <cstdint>
#include <memory>
#include <optional>

#include "sim/calibration_settings.h"
#include "sim/module_hooks.h"

namespace vantor::sim {

class CalibrationFirmware : public ModuleHooks {
public:
    CalibrationFirmware(CalibrationSettings& settings, CalibrationStore& store) : settings_(settings), store_(store) {}

protected:
    CalibrationSettings& settings_;
    CalibrationStore& store_;
};

// The calibration of the model's family; none for a model without one.
std::unique_ptr<CalibrationFirmware> calibrationFor(int model, CalibrationSettings& settings, CalibrationStore& store);

// One job: started, busy for a number of reads of its state, then ended.
class CalibrationRun {
public:
    // Starts (again): busy for the settings' busyReads reads, for ever when the settings
    // asked the next job to hang (that request is taken).
    void start(CalibrationSettings& settings);
    void stop() { running_ = false; }
    bool running() const { return running_; }
    // One read of the state of the running job: true when the job ends with it.
    bool endsWithRead();

private:
    bool running_ = false;
    bool hangs_ = false;
    int busyLeft_ = 0;
};

// The failure the next job was asked to end with, taken from the settings.
std::optional<int> takeFailure(CalibrationSettings& settings);

// Where the applied signal stands against what a job expects (percent of the range),
// within a tolerance of a few percent.
enum class SignalFit { Fits, Above, Below };
SignalFit fitOfSignal(const CalibrationSettings& settings, double expectedPercent);
// The signal the person applies, in percent: the settings', else the expected one.
double appliedPercent(const CalibrationSettings& settings, double expectedPercent);
// Whether the applied signal lies within the input's range, 0 to 100 %.
bool signalInRange(const CalibrationSettings& settings);

// Reply forms.
ModuleReply answer(const ModuleRequest& request, Bytes data);
ModuleReply refusal(std::uint8_t deviceError);
Bytes floatBytes(double value);  // IEEE single, most significant byte first
Bytes indexBytes(int index);

// The table parameter a request names at its address offset: the indexed one whose
// index the data's last two bytes give, else the one without an index. Null when the
// module has none of that hash there.
ModuleParameter* addressed(ParameterTable& table, const ModuleRequest& request);

}  // namespace vantor::sim
