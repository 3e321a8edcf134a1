#pragma once
// "Calibration method": the first dialog of an input module's calibration. The person
// picks the calibration type, the sensor (for type 4 also the input) and types the
// type's access code; the input is then set to the sensor before the calibration runs.

#include <QDialog>

class QComboBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QSpinBox;

namespace vantor::gui {

class CalibrationLink;

namespace Dialogs {

// What the person chose; the sensor code and channel only for the types that ask.
struct InputCalibrationChoice {
    int type = 0;
    int sensorCode = 0;
    int channel = 0;  // 0-based
};

class CCalibrate1 : public QDialog {
    Q_OBJECT
public:
    explicit CCalibrate1(CalibrationLink& link, QWidget* parent = nullptr);

    // Once the dialog was accepted.
    const InputCalibrationChoice& choice() const { return choice_; }
    // The input type is being set.
    bool busy() const { return busy_; }

public slots:
    void done(int result) override;

private:
    void methodChosen(int index);
    void next();
    // Writes the sensor code to the input, reads the input type back; asks on failure.
    void setInputType();
    void setBusy(bool busy);

    CalibrationLink& link_;
    QFormLayout* form_;
    QComboBox* method_;
    QLabel* description_;
    QComboBox* sensor_;
    QComboBox* channel_;
    QSpinBox* code_;
    QPushButton* next_;
    InputCalibrationChoice choice_;
    bool busy_ = false;
    bool ended_ = false;
};

}  // namespace Dialogs
}  // namespace vantor::gui
