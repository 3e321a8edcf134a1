#include "calibration/framework/calibration_link.h"
#include "calibration/procedures.h"

namespace vantor::gui {

void RunCalibration(CPlimoDoc& document, Calibration kind, QWidget* parent) {
    CalibrationLink link(document);
    switch (kind) {
    case Calibration::None: break;
    case Calibration::AnalogInputs: runInputModuleCalibration(link, parent); break;
    case Calibration::OutputCoefficients: runOutputCalibration(link, parent); break;
    case Calibration::OffsetAndScale: runOffsetAndScaleCalibration(link, parent); break;
    case Calibration::MutualInductance: runInductanceCalibration(link, parent); break;
    case Calibration::StrainGauge: runStrainGaugeCalibration(link, parent); break;
    case Calibration::Ph: runPhCalibration(link, parent); break;
    case Calibration::EnergyMeter: runEnergyMeterCalibration(link, parent); break;
    }
}

void RunTareWeight(CPlimoDoc& document, QWidget* parent) {
    CalibrationLink link(document);
    runTareWeight(link, parent);
}

}  // namespace vantor::gui
