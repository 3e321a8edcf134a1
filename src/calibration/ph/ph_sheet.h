#pragma once
// The pH and redox calibration of KQ-20: the access code, a check of the temperature
// compensation and the electrode characteristic the module holds, one or two buffer
// points the module measures while the person watches the live reading, and the
// saving, after which the module's electrode slope is judged.

#include <string>

#include "calibration/framework/calibration_link.h"
#include "calibration/framework/my_sheet.h"

class QWidget;

namespace vantor::gui {

namespace CalibrationPH {

// One live reading: what the link hands over.
using CReading = Reading;

// Where the temperature of the compensation comes from: the value index of "tco.t".
enum TemperatureSource { kMeasuredTemperature = 0, kFixedTemperature = 1 };

class CSheetPH : public CmySheet {
    Q_OBJECT
public:
    // The code page, step 1, step 2, the save page and the error page.
    explicit CSheetPH(CalibrationLink& link, QWidget* parent = nullptr);

    // 0 pH with one point, 1 pH with two points, 2 redox with one point, 3 redox with two.
    int mode() const { return mode_; }
    void setMode(int mode) { mode_ = mode; }
    bool redox() const { return mode_ >= 2; }
    bool twoPoints() const { return mode_ % 2 == 1; }

    TemperatureSource temperatureSource() const { return temperatureSource_; }
    void setTemperatureSource(TemperatureSource source) { temperatureSource_ = source; }

    // The parameter of the parameter tree or of the state tree by name; null when the
    // tree has none.
    Parameter* rootParameter(const std::string& name) const;
    Parameter* stateParameter(const std::string& name) const;

private:
    int mode_ = 1;
    TemperatureSource temperatureSource_ = kMeasuredTemperature;
};

// The pH sheet a page of this wizard belongs to.
CSheetPH& phSheetOf(const CalibrationPage& page);

}  // namespace CalibrationPH
}  // namespace vantor::gui
