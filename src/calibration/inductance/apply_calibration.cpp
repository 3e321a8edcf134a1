#include "calibration/inductance/apply_calibration.h"

#include <cstdlib>

#include "document/configuration_document.h"
#include "params/parameter.h"

namespace vantor::gui::CalibrationVI {

std::optional<unsigned long> applyCalibration(CPlimoDoc& document) {
    Parameter apply("U.Apl");
    apply.type = "void";
    apply.valueText.clear();
    document.WriteParameter(apply, 0);
    Parameter status("Rd.St");
    status.type = "int";
    if (document.ReadParameter(status) != 0) return std::nullopt;
    return std::strtoul(status.valueText.c_str(), nullptr, 10);
}

}  // namespace vantor::gui::CalibrationVI
