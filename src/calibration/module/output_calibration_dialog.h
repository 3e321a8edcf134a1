#pragma once
// "Calibration" of an output module: the person picks one of the two coefficients of
// an analog output (K4 or K20), the module drives that output for it, and every change
// of the value goes to the module at once while the person watches an external meter.
// The exchanges run on the calibration link in the order the person caused them.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "models/calibration_functions.h"
#include "platform/user_interface.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace vantor {
class Parameter;
}  // namespace vantor

namespace vantor::gui {

class CalibrationLink;

namespace Dialogs {

class CCalibration : public QDialog {
    Q_OBJECT
public:
    explicit CCalibration(CalibrationLink& link, QWidget* parent = nullptr);

    // Exchanges are on their way or the list is still being made.
    bool busy() const { return pending_ > 0 || choosing_; }
    // The coefficient the module drives its output for; -1 before the first choice.
    int currentCoefficient() const { return current_; }

public slots:
    // Finish, and closing the window: the value is saved and calibration is left first.
    void accept() override;
    void reject() override;

private:
    // The list, once the output types that are due have been read.
    void listCoefficients(const std::vector<Parameter*>& outputTypes);
    void choose(int row);
    struct CoefficientReading {
        int result = 0;
        std::string valueText;
        std::string errorText;
        std::uint8_t editable = 1;
        std::uint8_t manufacturerOwned = 0;
    };
    void coefficientRead(int number, const CoefficientReading& reading);
    void driveOutput(int number, int value);
    // The value field into the current coefficient (unlocked and locked again around
    // the write when it is read-only).
    void save();
    void showValue(int value);
    void step(int amount);
    void leaveCalibration(std::function<void()> then);
    void finish(int result);

    // Runs `work` on the link; `done` on the window's thread, with the wait cursor up in between.
    void post(std::function<void()> work, std::function<void()> done);
    // The wait cursor is up while anything is on its way.
    void busyStarted();
    void busyEnded();
    void message(const std::string& text, MessageIcon icon = MessageIcon::None);
    void setValueControlsEnabled(bool enabled);

    CalibrationLink& link_;
    QListWidget* list_;
    QLineEdit* value_;
    std::vector<QPushButton*> steps_;
    std::vector<OutputCoefficient> coefficients_;
    int current_ = -1;
    // The attributes of the current coefficient as the module gave them.
    std::uint8_t editable_ = 1;
    std::uint8_t manufacturerOwned_ = 0;
    int pending_ = 0;  // posted work and pauses not yet over
    bool choosing_ = false;
    bool closing_ = false;
    std::optional<int> closeAfterChoice_;
};

}  // namespace Dialogs
}  // namespace vantor::gui
