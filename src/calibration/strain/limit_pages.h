#pragma once
// The factory method's two measuring pages: the person sets the reference voltage, and
// Next has the module measure it at the lower, then at the upper limit of the chosen
// sensitivity's range.

#include <QTimer>

#include "calibration/framework/calibration_page.h"
#include "params/parameter.h"

namespace vantor::gui::CalibrationTD {

// What tells the two pages apart.
struct LimitPageFacts {
    const char* titleKey;
    const char* instructionKey;
    bool namesLowerLimit;  // the instruction gives the voltage of the lower limit
    const char* command;   // the module measures on this write
    const char* errorCaptionKey;
    bool settles;  // the module is given time before the next limit
};

class CLimitPage : public CalibrationPage {
    Q_OBJECT
public:
    explicit CLimitPage(const LimitPageFacts& facts);

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;

private:
    const LimitPageFacts& facts_;
    Parameter command_;
    QTimer settle_;
};

class CMinPage : public CLimitPage {
    Q_OBJECT
public:
    CMinPage();
};

class CMaxPage : public CLimitPage {
    Q_OBJECT
public:
    CMaxPage();
};

}  // namespace vantor::gui::CalibrationTD
