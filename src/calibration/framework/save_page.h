#pragma once
// The last page of a procedure: the computed coefficients go into the module's
// permanent memory on "Save ". The offset-and-scale modules store them with "Prmn" and
// apply with "UApl"; the family wizards put their own saving behind the same page.

#include "calibration/framework/calibration_page.h"
#include "params/parameter.h"

namespace vantor::gui {

class CSavePage : public CalibrationPage {
    Q_OBJECT
public:
    explicit CSavePage(const char* titleKey = "IDS_STRING665");

    void onActivate() override;
    bool onFinish() override;

private:
    Parameter store_;
    Parameter apply_;
};

}  // namespace vantor::gui
