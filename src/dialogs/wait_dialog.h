#pragma once
// The modal dialog every tree task runs under: the task's log, the time elapsed, the
// count of parameters done with a bar, and Cancel. The communication thread does the
// work; its log lines and its end reach the dialog through queued slots, and a small
// waiter thread hands over the task's outcome, so the dialog's event loop never waits
// on the link. After "Task accomplished" the dialog stays readable for a moment, unless
// the task was cancelled; after a task in which a parameter failed it stays until the
// person closes it (an unattended job closes it all the same).

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <optional>
#include <thread>

#include "device/operation_code.h"

class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace vantor {
class Device;
}

namespace vantor::gui {

// The title of the wait dialog of `code`, which also names the task elsewhere.
QString TaskCaption(OperationCode code);

class WaitDialog : public QDialog {
    Q_OBJECT
public:
    // The dialog of `code` over the task just handed to `device` (Device::StartTask was
    // called; progressTotal holds the range). exec() returns when the task has ended.
    WaitDialog(OperationCode code, Device& device, QWidget* parent = nullptr);
    // Cancels a task still running and waits for its end.
    ~WaitDialog() override;
    WaitDialog(const WaitDialog&) = delete;
    WaitDialog& operator=(const WaitDialog&) = delete;

    // After exec(): the task's outcome (Device::WaitTask's).
    std::optional<TaskOutcome> outcome() const { return outcome_; }
    // The task has ended with a failure and the dialog waits for the person.
    bool keptOpen() const { return keptOpen_; }

    // How long the log stays readable after the task's end.
    void setCloseDelay(std::chrono::milliseconds delay) { closeTimer_.setInterval(delay); }

public slots:
    // Connected (queued) by the lead to GuiUserInterface::progressLogged / taskFinished.
    void appendLog(const QString& line, int position);
    void taskDone(const QString& text);
    // Escape, the window's close and Cancel: the task stops at its next parameter.
    void reject() override;

private:
    void addLine(const QString& line);
    void showElapsed();
    void taskEnded(std::optional<TaskOutcome> outcome);
    void startCloseDelay();
    void closeWhenDue();

    Device& device_;
    QListWidget* log_;
    QLineEdit* elapsed_;
    QLineEdit* count_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    QElapsedTimer clock_;
    QTimer closeTimer_;
    bool delayOver_ = false;
    bool cancelPressed_ = false;
    bool ended_ = false;
    bool keptOpen_ = false;
    std::optional<TaskOutcome> outcome_;
    std::thread waiter_;
};

}  // namespace vantor::gui
