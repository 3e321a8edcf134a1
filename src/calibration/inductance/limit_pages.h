#pragma once
// The factory method of the mutual-inductance calibration: the person sets the
// reference inductance to the lower, then to the upper limit of the range, and on each
// Next the module measures it; then the calibration is applied.

#include "calibration/framework/calibration_page.h"
#include "calibration/framework/save_page.h"

namespace vantor::gui::CalibrationVI {

// What tells the two limits apart.
struct LimitPageFacts {
    const char* titleKey;
    const char* command;  // written on Next: the module measures the limit
    const char* errorCaptionKey;
};

class CLimitPage : public CalibrationPage {
    Q_OBJECT
public:
    void onLeave() override;
    // Moves on once the module took the command; a refusal is shown and the page stays.
    bool onNext() override;

protected:
    explicit CLimitPage(const LimitPageFacts& facts);

private:
    const LimitPageFacts& facts_;
};

// The lower limit, which depends on the module's variant ("tdev").
class CMinPage : public CLimitPage {
    Q_OBJECT
public:
    CMinPage();
    void onActivate() override;
};

class CMaxPage : public CLimitPage {
    Q_OBJECT
public:
    CMaxPage();
    void onActivate() override;
};

class CSaveVIPage : public CSavePage {
    Q_OBJECT
public:
    CSaveVIPage();
    // Applies the calibration and closes, telling when the module's status reports an error.
    bool onFinish() override;
};

}  // namespace vantor::gui::CalibrationVI
