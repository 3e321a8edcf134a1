#pragma once
// The first page of the strain-gauge calibration: the access code, then the method
// ("factory" or "user"), the channel on a module with more than one input, and for the
// factory method the bridge sensitivity, whose choice goes to the channel's "Sens".

#include <map>

#include "calibration/framework/code_base_page.h"

namespace vantor::gui::CalibrationTD {

class CPage1VI : public CCodeBasePage {
    Q_OBJECT
public:
    enum Method { kFactory = 0, kUser = 1 };

    // Lists the channels of `sensitivities` and the sensitivities of the first one.
    explicit CPage1VI(const std::map<int, Parameter*>& sensitivities);

    const ChoiceRow& channelRow() const { return row(0); }
    const ChoiceRow& methodRow() const { return row(1); }
    const ChoiceRow& sensitivityRow() const { return row(2); }

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;

private:
    // Shows the rows the chosen method needs.
    void showRowsOfMethod();
    void writeSensitivity(Parameter& sensitivity);

    int channelCount_;
};

}  // namespace vantor::gui::CalibrationTD
