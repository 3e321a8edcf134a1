#pragma once
// The user method's two value pages: the person applies the load of a lower (then a
// higher) value of the quantity, types it in percent and in units, and the page keeps
// the signal the module measures meanwhile.

#include <QLineEdit>
#include <optional>

#include "calibration/framework/calibration_page.h"
#include "models/strain_gauge_limits.h"

namespace vantor::gui::CalibrationTD {

// What tells the two pages apart.
struct UserValueFacts {
    const char* titleKey;
    const char* instructionKey;
    const char* beforeSensitivity;      // what separates the instruction from the next key
    const char* sensitivityKey;         // the lead of the sensitivity line
    const char* sensitivityMissingKey;  // null: "<no data>"
    const char* rangeKey;               // the lead of the range line
    const char* rangeFormatKey;         // "%s..%s mV"
    const char* rangeMissingKey;        // null: "<no data>"
    const char* unitsLabelKey;
    const char* percentLabelKey;
    bool higher;  // the page of the higher value
};

class CUserValuePage : public CalibrationPage {
    Q_OBJECT
public:
    explicit CUserValuePage(const UserValueFacts& facts);

    QLineEdit& unitsField() const { return *units_; }
    QLineEdit& percentField() const { return *percent_; }
    QLineEdit& signalField() const { return *signal_; }

    void onActivate() override;
    void onLeave() override;
    bool onNext() override;
    // A live signal of the channel, or none when the read failed.
    void onSignal(std::optional<float> signal);

private:
    CalibrationPoint& point() const;
    void showInstruction(const std::string& sensitivity);

    const UserValueFacts& facts_;
    QLineEdit* units_;
    QLineEdit* percent_;
    QLineEdit* signal_;
};

class CUserMinPage : public CUserValuePage {
    Q_OBJECT
public:
    CUserMinPage();
};

class CUserMaxPage : public CUserValuePage {
    Q_OBJECT
public:
    CUserMaxPage();
};

}  // namespace vantor::gui::CalibrationTD
