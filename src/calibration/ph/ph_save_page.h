#pragma once
// The last page of the pH and redox calibration: "Save " lets the module apply the
// points. A module that reports the calibration failed asks for it to be repeated
// (Back then reads "Repeat " and leads to the first page); otherwise a pH calibration
// tells the electrode slope the module answered, and the electrode characteristic is
// read again so that the document shows the new one.

#include <QString>

#include "calibration/framework/save_page.h"

namespace vantor::gui::CalibrationPH {

class CSavePHPage : public CSavePage {
    Q_OBJECT
public:
    CSavePHPage();

    void onActivate() override;
    void onLeave() override;
    bool onFinish() override;
    bool onBack() override;

private:
    void judgeSlope(const std::string& slopeText) const;
    void readCharacteristic();

    QString backText_;  // the Back button's own text, while it reads "Repeat "
};

}  // namespace vantor::gui::CalibrationPH
