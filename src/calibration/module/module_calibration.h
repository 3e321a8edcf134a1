#pragma once
// The calibration procedures of the modules that calibrate themselves: the input
// modules KQ-01 and KQ-09, the output modules KQ-02 and KQ-03. Each returns when the
// procedure has ended and everything it sent has left the link.

class QWidget;

namespace vantor::gui {

class CalibrationLink;

// KQ-01, KQ-09: the choice of the method, the calibration and what follows it.
void runInputModuleCalibration(CalibrationLink& link, QWidget* parent);
// KQ-02, KQ-03: the adjustment of the output coefficients.
void runOutputCalibration(CalibrationLink& link, QWidget* parent);

}  // namespace vantor::gui
