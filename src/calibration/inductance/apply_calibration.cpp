#include "calibration/inductance/apply_calibration.h"

#include "calibration/framework/module_wait.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "params/parameter.h"

namespace vantor::gui::CalibrationVI {

std::optional<std::uint32_t> applyCalibration(CPlimoDoc& document) {
    Parameter apply;
    makeTemporaryParameter(apply, "U.Apl", "void");
    document.WriteParameter(apply, 0);
    Parameter status;
    makeTemporaryParameter(status, "Rd.St", "int");
    if (document.ReadParameter(status) != 0) return std::nullopt;
    return statusWord(status.valueText, 10);
}

}  // namespace vantor::gui::CalibrationVI
