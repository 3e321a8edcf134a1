#pragma once
// The pages of the energy meters' calibration. Each stage page shows the model's
// instruction for its stage; Next starts the stage (the first page also writes the
// start value into "Mode") and the page waits, reading "Mode", until the model says the
// stage is done, then moves on by itself. A failure bit or the stage time-out ends on
// the error page.

#include "calibration/framework/calibration_page.h"
#include "calibration/framework/module_wait.h"

namespace vantor::gui::CalibrationEnergy {

// What tells the stage pages apart.
struct StageFacts {
    const char* titleKey;
    int stage;  // the model's step number and the stage waited for, 1 ...
};

class CStagePage : public CalibrationPage {
    Q_OBJECT
public:
    explicit CStagePage(const StageFacts& facts);

    bool stageRunning() const { return wait_.running(); }

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;

private:
    bool startsCalibration() const { return facts_.stage == 1; }
    void showStepText();
    void startStage();
    void judgeMode(const Reading& reading);

    const StageFacts& facts_;
    ModuleWait wait_;
};

class CCodePage : public CStagePage {
    Q_OBJECT
public:
    CCodePage();
};

class CStep1Page : public CStagePage {
    Q_OBJECT
public:
    CStep1Page();
};

class CStep2Page : public CStagePage {
    Q_OBJECT
public:
    CStep2Page();
};

class CStep3Page : public CStagePage {
    Q_OBJECT
public:
    CStep3Page();
};

class CEndPage : public CalibrationPage {
    Q_OBJECT
public:
    CEndPage();

    void onActivate() override;
};

}  // namespace vantor::gui::CalibrationEnergy
