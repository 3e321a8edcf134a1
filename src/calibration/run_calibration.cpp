#include "calibration/framework/calibration_link.h"
#include "calibration/procedures.h"
#include "document/configuration_document.h"
#include "models/base_device.h"

namespace vantor::gui {

void RunCalibration(CPlimoDoc& document, QWidget* parent) {
    const CBaseDevice* model = document.deviceModel();
    if (!model || !model->HasCalibration()) return;
    CalibrationLink link(document);
    switch (model->facts().calibration) {
    case Calibration::OffsetAndScale: runOffsetAndScaleCalibration(link, parent); break;
    default: break;
    }
    document.UpdateAllViews();
}

void RunTareWeight(CPlimoDoc&, QWidget*) {}

}  // namespace vantor::gui
