#pragma once
// "Calibration" of an input module: steps the module through the start of its
// calibration and the wait for its measurements, the check of the coefficients it
// computed, and their permanent store. Every exchange runs on the calibration link;
// the dialog only waits for the replies, so it stays alive while the module works.

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calibration/module/module_function.h"
#include "models/calibration_functions.h"
#include "platform/user_interface.h"

class QLabel;
class QPushButton;

namespace vantor::gui {

class CalibrationLink;

namespace Dialogs {

// What a calibration runs with.
struct InputCalibrationRun {
    int type = 1;
    std::string instructionText;  // what type 1 starts with
    int channel = 0;              // 0-based, for type 4
};

class CCalibrate2 : public QDialog {
    Q_OBJECT
public:
    // What the procedure does once the dialog has closed.
    enum class FollowUp { None, ChooseAgain, Repeat };

    CCalibrate2(CalibrationLink& link, InputCalibrationRun run, QWidget* parent = nullptr);
    // Leaves calibration once more, whichever way the dialog closed.
    ~CCalibrate2() override;
    CCalibrate2(const CCalibrate2&) = delete;
    CCalibrate2& operator=(const CCalibrate2&) = delete;

    FollowUp followUp() const { return followUp_; }
    // A step is running: the module is being asked or waited for.
    bool busy() const { return busy_; }
    QString text() const;

public slots:
    // Cancel: calibration is left and the dialog closes.
    void reject() override;

private:
    enum class Step { Start = 0, Check = 1, Store = 2, Finish = 4, FailedCoefficient = 5 };

    void next();
    // Step 0: "CLB.I", then "CLB.S" until the measurements are done.
    void sendStart();
    void poll();
    void measured();
    // Step 1: "CLB.T", then the invalid coefficient or all of them with "CLB.G".
    void sendTest();
    void readInvalidCoefficient(int number);
    void readCoefficient(int number);
    // Step 2: "CLB.P".
    void sendStore();
    void stored();

    void call(FunctionCall call, std::function<void(const FunctionReply&)> then);
    void after(int milliseconds, std::function<void()> then);
    void leaveCalibration();
    void end(int result, FollowUp followUp = FollowUp::None);
    void applyState(const CalibrationState& state);
    void storeCoefficient(const FunctionReply& reply);
    // The error text, when there is one, under "Error" and the step's label.
    void showError(const std::string& errorText, const std::string& label);
    // The error shown, then: Yes runs `retry`, No closes the dialog.
    void report(const std::string& errorText, const std::string& label, const std::function<void()>& retry);
    MessageAnswer ask(const std::string& text, const std::string& caption, MessageIcon icon = MessageIcon::None,
                      MessageButtons buttons = MessageButtons::YesNo);
    void setText(const std::string& text);
    void setBusy(bool busy);

    CalibrationLink& link_;
    const InputCalibrationRun run_;
    QLabel* text_;
    QPushButton* next_;
    Step step_ = Step::Start;
    ValvePosition position_ = ValvePosition::Close;
    bool failed_ = false;
    std::string statusText_;
    std::string errorText_;
    CoefficientRecord coefficient_;
    std::vector<float> coefficients_;
    int polls_ = 0;
    std::uint8_t flags_ = 0;
    std::optional<CalibrationState> lastState_;  // of the polls of this start
    int storeFailures_ = 0;
    bool nextAllowed_ = true;
    bool busy_ = false;
    bool ended_ = false;
    FollowUp followUp_ = FollowUp::None;
};

}  // namespace Dialogs
}  // namespace vantor::gui
