#pragma once
// The last pages of both paths: the factory method applies what the module measured
// and checks its status; the user method writes the limits worked out from its two
// points, applies them, checks, and stores the unit values. Back goes to Step 1.

#include <QString>

#include "calibration/framework/save_page.h"
#include "params/parameter.h"

namespace vantor::gui::CalibrationTD {

class CStrainSavePage : public CSavePage {
    Q_OBJECT
public:
    bool onBack() override;

protected:
    using CSavePage::CSavePage;
};

class CSaveTDPage : public CStrainSavePage {
    Q_OBJECT
public:
    CSaveTDPage();

    void onActivate() override;
    void onLeave() override;
    bool onFinish() override;

private:
    // The module refused the calibration: Back reads "Repeat", Finish stays off.
    void offerRepeat();
    void rereadSensitivities();

    Parameter apply_;
    QString backText_;
};

class CUserSavePage : public CStrainSavePage {
    Q_OBJECT
public:
    CUserSavePage();

    bool onFinish() override;
};

}  // namespace vantor::gui::CalibrationTD
