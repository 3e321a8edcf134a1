#include "calibration/inductance/apply_calibration.h"

#include "calibration/framework/module_wait.h"
#include "document/configuration_document.h"
#include "params/parameter.h"

namespace vantor::gui::CalibrationVI {

std::optional<std::uint32_t> applyCalibration(CPlimoDoc& document) {
    Parameter apply("U.Apl");
    apply.type = "void";
    apply.valueText.clear();
    document.WriteParameter(apply, 0);
    Parameter status("Rd.St");
    status.type = "int";
    if (document.ReadParameter(status) != 0) return std::nullopt;
    return statusWord(status.valueText, 10);
}

}  // namespace vantor::gui::CalibrationVI
