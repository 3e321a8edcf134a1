#pragma once
// The page a procedure ends on when the module refuses or cannot be read: the reason,
// and the choice between Repeat (the first page again, with everything still filled
// in) and Exit.

#include <string>

#include "calibration/framework/calibration_page.h"

namespace vantor::gui {

class CErrorPage : public CalibrationPage {
    Q_OBJECT
public:
    CErrorPage();

    void setErrorText(const std::string& text) { errorText_ = text; }
    const std::string& errorText() const { return errorText_; }

    void onActivate() override;
    void onLeave() override;
    bool onFinish() override;

private:
    std::string errorText_;
};

}  // namespace vantor::gui
