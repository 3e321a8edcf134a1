#pragma once
// The two job pages of the offset-and-scale procedure: the person applies the signal,
// Next starts the module's job, and the sheet's job poll moves on once it is done.

#include "calibration/framework/calibration_page.h"
#include "params/parameter.h"

namespace vantor::gui {

// What tells the two pages apart.
struct JobPageFacts {
    const char* titleKey;
    const char* instructionKey;
    const char* startParameter;
    const char* errorCaptionKey;
};

class CJobPage : public CalibrationPage {
    Q_OBJECT
public:
    explicit CJobPage(const JobPageFacts& facts);

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;

private:
    const JobPageFacts& facts_;
    Parameter start_;
};

class COffsetPage : public CJobPage {
    Q_OBJECT
public:
    COffsetPage();
};

class CScalePage : public CJobPage {
    Q_OBJECT
public:
    CScalePage();
};

}  // namespace vantor::gui
