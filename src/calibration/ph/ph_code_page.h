#pragma once
// The first page of the pH and redox calibration: the access code, then a check of
// what the module holds (the temperature compensation's sensor or fixed temperature
// and the electrode characteristic) that the person confirms, then the method and the
// number of points.

#include <QString>

#include "calibration/framework/code_base_page.h"

namespace vantor::gui::CalibrationPH {

class CCodePage : public CCodeBasePage {
    Q_OBJECT
public:
    CCodePage();

    const ChoiceRow& methodRow() const { return row(0); }
    const ChoiceRow& pointsRow() const { return row(1); }

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;

private:
    // Reads "tco.t" and the three parameters to verify, then asks the person.
    void verifyParameters();

    QString nextText_;  // the Next button's own text, for the pages after this one
};

}  // namespace vantor::gui::CalibrationPH
