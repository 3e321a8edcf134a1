#pragma once
// The calibration functions of the modules that calibrate themselves: the input modules
// KQ-01 and KQ-09 measure and compute their own input coefficients when told to, the
// output modules KQ-02 and KQ-03 drive an output for one of its two coefficients while
// the person adjusts it. Here is what the procedures send, what the replies mean, and
// the texts they show; the dialogs only step through it.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "models/model_facts.h"
#include "params/converter.h"

namespace vantor {

class Parameter;

// The functions, by name.
inline constexpr const char* kCalibrationStart = "CLB.I";
inline constexpr const char* kCalibrationState = "CLB.S";
inline constexpr const char* kCalibrationTest = "CLB.T";
inline constexpr const char* kCalibrationCoefficient = "CLB.G";
inline constexpr const char* kCalibrationStore = "CLB.P";
inline constexpr const char* kCalibrationLeave = "CLB.A";
inline constexpr const char* kOutputCoefficient = "CLB.K";
inline constexpr const char* kInputType = "in-t";
inline constexpr const char* kOutputType = "POUt";

// ---- the input modules

// Process flag: the module has finished its calibration measurements.
inline constexpr std::uint8_t kMeasurementsCompleted = 0x80;
// The state polls after a start, at most.
inline constexpr int kMostStatePolls = 12;
// The read total time-out the store of the coefficients is given, in milliseconds.
inline constexpr std::uint32_t kStoreReadTimeoutMs = 300;

// The process flags and status a function replies with; status 0 is the only success.
struct CalibrationState {
    std::uint8_t flags = 0;
    std::uint8_t status = 0;
    bool failed() const { return status != 0; }
};

// The flags and status at `offset` of a reply; none when the reply is too short.
std::optional<CalibrationState> DecodeCalibrationState(const Bytes& reply, std::size_t offset = 0);
// What the person is told of a status (the only success being "Process completed").
std::string CalibrationStatusText(int status);

// The record "CLB.G" fills: a reply of 5 bytes carries a value, one of 2 bytes none.
struct CoefficientRecord {
    bool valuePresent = false;
    std::uint8_t firstByte = 0;
    std::array<std::uint8_t, 4> valueBytes{};  // IEEE single precision, most significant first
    float value() const;
};
// Fills `record` from a "CLB.G" reply; false, with the record as it was, when the reply
// is neither 2 nor 5 bytes long. A 2-byte reply keeps the value the record held.
bool DecodeCoefficient(const Bytes& reply, CoefficientRecord& record);

struct Sensor {
    const char* textKey;
    int code;  // what "in-t" takes for it
};

// One calibration type of the input modules (1 to 4).
struct InputCalibrationType {
    int type;
    const char* nameKey;
    const char* descriptionKey;
    std::span<const Sensor> sensors;  // empty: the type needs no sensor
    bool needsChannel;
    const char* startTextKey;  // null: the instruction text of the chosen sensor
    const char* completionKey;
};
std::span<const InputCalibrationType> inputCalibrationTypes();
// Null for a number outside 1..4.
const InputCalibrationType* inputCalibrationType(int type);

// Valve positions of type 4: the closed one is calibrated first.
enum class ValvePosition { Close = 0, Open = 1 };
// The data of "CLB.I": the type; for type 4 first (position × 128) + channel (0-based).
Bytes CalibrationStartData(int type, ValvePosition position, int channel);
// The data that sets an input's type: sensor code, 0, channel (0-based).
Bytes InputTypeData(int sensorCode, int channel);

// The text the calibration of type 1 starts with for a sensor.
std::string SensorInstructionText(int sensorCode);

// The access code that opens a type, and the rule for wrong ones: the count of wrong
// codes lives for the whole program run, a right code resets it, and every fourth
// wrong code in a row closes the choice.
int InputCalibrationAccessCode(int type);
enum class AccessVerdict { Granted, Refused, RefusedAndClose };
AccessVerdict CheckAccessCode(int type, int typed);

// How many coefficients a type computes (read back with "CLB.G" 1..n), the label of a
// failed read and the text that shows them.
int CoefficientCount(int type);
std::string CoefficientReadLabel(int type);
std::string CoefficientReportText(int type, const std::vector<float>& values);
// The text of step "failed coefficient": the invalid value and what to do about it.
std::string InvalidCoefficientText(int type, float value);

// The messages around the run: before it, and on the way back to the operating mode.
std::string BeforeCalibrationText(Model model);
std::string AfterCalibrationText(Model model, int type, const std::string& displayName);

// ---- the output modules

inline constexpr int kLowestOutputCoefficient = 0;
inline constexpr int kHighestOutputCoefficient = 4095;

// Outputs 1..n of an output module: 8 for KQ-02, 6 for KQ-03.
int CalibratedOutputCount(Model model);

// One line of the coefficient list: K4 of output k is number 2(k − 1), K20 the next.
struct OutputCoefficient {
    std::string text;
    int number = 0;
    bool operator==(const OutputCoefficient&) const = default;
};
// `outputTypes[k − 1]` is the value text of output k's type parameter, none when the
// output has none. A digital output has no coefficients; the list is sorted by text.
std::vector<OutputCoefficient> OutputCoefficientList(const std::vector<std::optional<std::string>>& outputTypes);

// `value` moved by `amount`, or none when that leaves 0..4095.
std::optional<int> SteppedCoefficient(int value, int amount);

// The temporary records the procedures exchange: "CLB.K" of a coefficient (an indexed
// integer with attributes), "CLB.I" driving the output for it, "CLB.A" leaving.
void MakeOutputCoefficientParameter(Parameter& parameter, int number);
void MakeDriveOutputParameter(Parameter& parameter, int number);
void MakeLeaveCalibrationParameter(Parameter& parameter);

}  // namespace vantor
