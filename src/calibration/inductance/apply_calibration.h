#pragma once
// The end of both methods: the module applies the calibration ("U.Apl") and tells in
// its status ("Rd.St") whether that went wrong.

#include <cstdint>
#include <optional>

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui::CalibrationVI {

// On the link's thread. The status read back after the calibration was applied (the
// module's answer to the apply itself says nothing worth showing); none when the status
// cannot be read.
std::optional<std::uint32_t> applyCalibration(CPlimoDoc& document);

}  // namespace vantor::gui::CalibrationVI
