#pragma once
// The calibration procedures, one per module family: each runs modally over the link
// and returns once the person has closed it.

#include "models/model_facts.h"

class QWidget;

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class CalibrationLink;

// The procedure of `kind` over the document's link.
void RunCalibration(CPlimoDoc& document, Calibration kind, QWidget* parent);
// KQ-15/KQ-16's "Tare weight".
void RunTareWeight(CPlimoDoc& document, QWidget* parent);

// Each family's procedure, run modally until the person closes it.
// KQ-08, KQ-19: access code and sensor, offset job, scale job, save.
void runOffsetAndScaleCalibration(CalibrationLink& link, QWidget* parent);
// KQ-20: pH or redox in one or two buffer points, the electrode slope judged.
void runPhCalibration(CalibrationLink& link, QWidget* parent);
// KQ-13: the mutual inductance at its limits, or through a table of nodes.
void runInductanceCalibration(CalibrationLink& link, QWidget* parent);
// KQ-15, KQ-16: the strain gauge by the factory or the user method, and the tare.
void runStrainGaugeCalibration(CalibrationLink& link, QWidget* parent);
void runTareWeight(CalibrationLink& link, QWidget* parent);
// KQ-01, KQ-09: the choice of the method, the calibration and what follows it; returns
// once everything it sent has left the link.
void runInputModuleCalibration(CalibrationLink& link, QWidget* parent);
// KQ-02, KQ-03: the adjustment of the output coefficients.
void runOutputCalibration(CalibrationLink& link, QWidget* parent);
// KQ-21 ... KQ-24: the meter's stages; nothing when the model is no energy meter.
void runEnergyMeterCalibration(CalibrationLink& link, QWidget* parent);

}  // namespace vantor::gui
