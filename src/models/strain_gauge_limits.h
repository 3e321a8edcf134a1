#pragma once
// The calibration facts and arithmetic of the strain-gauge modules (KQ-15, KQ-16): the
// input range of each bridge sensitivity, the status bits of a failed calibration, the
// numbers a person types, and the limits the user method works out from two points.
// The wizard shows and sends what is decided here.

#include <optional>
#include <string>

namespace vantor {

// The parameters of the calibration, as the module knows them.
inline constexpr const char* kStrainSensitivity = "Sens";   // per channel, an enumeration
inline constexpr const char* kStrainSignal = "Rd.fV";       // live input signal, mV
inline constexpr const char* kStrainLoad = "Rd.fF";         // live gross load, units
inline constexpr const char* kStrainStatus = "Rd.St";       // module status
inline constexpr const char* kStrainLowerLimit = "zU.Sh";   // measure the lower limit
inline constexpr const char* kStrainUpperLimit = "zU.Sc";   // measure the upper limit
inline constexpr const char* kStrainSignalAt0 = "zu.fn";    // signal at 0 %
inline constexpr const char* kStrainSignalAt100 = "zu.fx";  // signal at 100 %
inline constexpr const char* kStrainApply = "U.Apl";
inline constexpr const char* kStrainUnitsAt0 = "v.min";
inline constexpr const char* kStrainUnitsAt100 = "v.max";
inline constexpr const char* kStrainTakeTare = "U.Wgh";
inline constexpr const char* kStrainTare = "p.wgh";
// The access code the strain-gauge calibration asks for.
inline constexpr const char* kStrainAccessCode = "925";

// The input range of a sensitivity, in mV, as shown.
struct InputRange {
    const char* lower;
    const char* upper;
};
// The range of the sensitivity at `index` of the "Sens" type; the module has ranges for
// the first seven only.
std::optional<InputRange> sensitivityRange(int index);

// The bits of "Rd.St" that tell, after "U.Apl", that the calibration failed.
inline constexpr long kCalibrationFailedBits = 0x1E0;
// True when the status text is a decimal number with one of those bits set.
bool calibrationFailed(const std::string& statusText);

// A value the person typed, read as "%f" reads it after each "," became "."; none when
// it does not start with a number or the number is beyond a float.
std::optional<float> typedNumber(std::string text);

// One point of the user method: the quantity in percent and in units, and the signal
// (mV) the module measured for it.
struct CalibrationPoint {
    float percent = 0;
    float units = 0;
    float signal = 0;
};

// What the user method writes, each printed with "%f".
struct UserLimits {
    std::string signalAt0;    // "zu.fn"
    std::string signalAt100;  // "zu.fx"
    std::string unitsAt0;     // "v.min"
    std::string unitsAt100;   // "v.max"
};

// The signals and the unit values at 0 % and 100 %, on the straight line through the
// two points, worked out in 32-bit floats as the module does; none when the two
// percentages are equal, for then there is no line.
std::optional<UserLimits> userLimits(const CalibrationPoint& lower, const CalibrationPoint& higher);

}  // namespace vantor
