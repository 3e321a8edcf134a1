#pragma once
// The first page of the mutual-inductance calibration: the access code, then the
// method. The factory method goes on to the module's own measurement of the range
// limits; the user method to one of the two point tables, typed or measured.

#include "calibration/framework/code_base_page.h"

namespace vantor::gui::CalibrationVI {

class CPage1VI : public CCodeBasePage {
    Q_OBJECT
public:
    CPage1VI();

    // "factory" or "user".
    const ChoiceRow& methodRow() const { return row(0); }
    // For "user": the table typed in, or the table of the sensor's readings.
    const ChoiceRow& userMethodRow() const { return row(1); }

    void onActivate() override;
    bool onNext() override;
};

}  // namespace vantor::gui::CalibrationVI
