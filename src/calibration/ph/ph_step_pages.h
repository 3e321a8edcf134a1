#pragma once
// The two point pages of the pH and redox calibration: the person puts the electrode
// into a buffer solution, types the buffer's value and watches the live reading; Next
// hands the value to the module, which measures the point while the page waits for
// its status, at most the point time-out.

#include "calibration/framework/calibration_page.h"
#include "calibration/framework/module_wait.h"

class QFormLayout;
class QLineEdit;

namespace vantor::gui::CalibrationPH {

// What tells the two pages apart; arrays by mode (see CSheetPH::mode), none where the
// page is not on that mode's path.
struct StepFacts {
    const char* titleKey;
    const char* bufferLabelKeys[2];  // pH, redox
    const char* measuredLabelKeys[2];
    const char* temperatureLabelKey;
    const char* instructionKeys[4];
    const char* pointParameters[4];  // written with the buffer value
    const char* invalidValueKey;
    const char* invalidValueCaptionKey;
    bool firstPoint;
};

class CStepPage : public CalibrationPage {
    Q_OBJECT
public:
    explicit CStepPage(const StepFacts& facts);

    QLineEdit& bufferValue() const { return *buffer_; }
    QLineEdit& measuredValue() const { return *measured_; }
    QLineEdit& temperature() const { return *temperature_; }
    bool measuringPoint() const { return wait_.running(); }

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;

private:
    void showReading(const Reading& reading);
    void judgeStatus(const Reading& reading);

    const StepFacts& facts_;
    QFormLayout* fields_;
    QLineEdit* buffer_;
    QLineEdit* measured_;
    QLineEdit* temperature_;
    Parameter* measuredParameter_ = nullptr;
    Parameter* temperatureParameter_ = nullptr;
    Parameter* status_ = nullptr;
    ModuleWait wait_;
};

class CStep1Page : public CStepPage {
    Q_OBJECT
public:
    CStep1Page();
};

class CStep2Page : public CStepPage {
    Q_OBJECT
public:
    CStep2Page();
};

}  // namespace vantor::gui::CalibrationPH
