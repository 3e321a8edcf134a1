#pragma once
// The calibration of the energy meters KQ-21 ... KQ-24: the meter calibrates itself in
// a fixed row of stages, each started by Next once the person applies the signal the
// page asks for; the meter's "Mode" word tells when a stage is done or has failed.
// The instructions, the start value and the meaning of the word are the model's.

#include <memory>

#include "calibration/framework/calibration_link.h"
#include "calibration/framework/my_sheet.h"

class QWidget;

namespace vantor {
class CDeviceEnergy;
}

namespace vantor::gui {

namespace CalibrationEnergy {

using CReading = Reading;

class CSheetEnergy : public CmySheet {
    Q_OBJECT
public:
    // The start page, the step pages of the meter, the end page and the error page.
    CSheetEnergy(CalibrationLink& link, CDeviceEnergy& meter, QWidget* parent = nullptr);
    ~CSheetEnergy() override;

    CDeviceEnergy& meter() const { return meter_; }
    // "Mode": written at the start, then the only reading of every stage.
    Parameter& modeParameter() const { return *mode_; }

private:
    CDeviceEnergy& meter_;
    // Shared with the link, which may still be reading it when the wizard closes.
    std::shared_ptr<Parameter> mode_;
};

// The sheet a page of this wizard belongs to.
CSheetEnergy& energySheetOf(const CalibrationPage& page);

}  // namespace CalibrationEnergy
}  // namespace vantor::gui
