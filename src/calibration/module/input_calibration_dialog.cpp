#include "calibration/module/input_calibration_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "calibration/framework/calibration_link.h"
#include "document/configuration_document.h"
#include "text/texts.h"

namespace vantor::gui::Dialogs {

namespace {

// A store the module refuses is tried this often before the person is asked.
constexpr int kStoreAttempts = 4;
constexpr std::size_t kLongestStatusText = 255;
constexpr std::size_t kStateReply = 2;
constexpr std::size_t kTestReply = 3;
// The room the text starts with: the instructions' long lines, a few of them.
constexpr int kTextColumns = 90;
constexpr int kTextLines = 8;

std::string startText(const InputCalibrationRun& run) {
    const InputCalibrationType* type = inputCalibrationType(run.type);
    return type && type->startTextKey ? Text(type->startTextKey) : run.instructionText;
}

}  // namespace

CCalibrate2::CCalibrate2(CalibrationLink& link, InputCalibrationRun run, QWidget* parent)
    : QDialog(parent), link_(link), run_(std::move(run)), text_(new QLabel) {
    setWindowTitle(keyedText("IDD_CALIBRATE2_CAPTION"));
    text_->setObjectName("text");
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * kTextColumns);
    text_->setMinimumHeight(text_->fontMetrics().lineSpacing() * kTextLines);

    auto* buttons = new QDialogButtonBox;
    next_ = buttons->addButton(keyedText("IDD_CALIBRATE2_IDOK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(keyedText("IDD_CALIBRATE2_IDCANCEL"), QDialogButtonBox::RejectRole);
    next_->setDefault(true);
    cancel->setAutoDefault(false);
    connect(next_, &QPushButton::clicked, this, &CCalibrate2::next);
    connect(cancel, &QPushButton::clicked, this, &CCalibrate2::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addWidget(buttons);
    setText(startText(run_));
}

CCalibrate2::~CCalibrate2() { leaveCalibration(); }

QString CCalibrate2::text() const { return text_->text(); }

void CCalibrate2::reject() {
    if (ended_) return;
    leaveCalibration();
    end(QDialog::Rejected);
}

void CCalibrate2::next() {
    if (busy_ || ended_ || !nextAllowed_) return;
    switch (step_) {
    case Step::Start:
        setText(run_.type == 4 ? Text(position_ == ValvePosition::Close ? "IDS_STRING794" : "IDS_STRING795")
                               : FormatText(Text("IDS_STRING796"), run_.type));
        next_->hide();
        setBusy(true);
        sendStart();
        break;
    case Step::Check:
        setBusy(true);
        after(link_.timing().checkPauseMs, [this] { sendTest(); });
        break;
    case Step::Store:
        if (run_.type <= 3) setWindowTitle(shownText(Text("IDS_STRING782")));
        storeFailures_ = 0;
        setBusy(true);
        sendStore();
        break;
    case Step::Finish:
        leaveCalibration();
        end(QDialog::Accepted);
        if (run_.type == 4 && ask(Text("IDS_STRING790"), Text("IDS_STRING791"), MessageIcon::None) == MessageAnswer::No)
            followUp_ = FollowUp::ChooseAgain;
        break;
    case Step::FailedCoefficient:
        leaveCalibration();
        end(QDialog::Accepted);
        if (ask(Text("IDS_STRING792"), Text("IDS_STRING793"), MessageIcon::Question) == MessageAnswer::Yes)
            followUp_ = FollowUp::Repeat;
        break;
    }
}

void CCalibrate2::sendStart() {
    call({0, kCalibrationStart, CalibrationStartData(run_.type, position_, run_.channel), kStateReply, {}},
         [this](const FunctionReply& reply) {
             if (!reply.ok) {
                 report(reply.errorText, Text("IDS_STRING804"), [this] { sendStart(); });
                 return;
             }
             applyState(*DecodeCalibrationState(reply.data));
             polls_ = 1;
             flags_ = 0;
             lastState_.reset();
             errorText_.clear();
             after(link_.timing().functionWaitMs, [this] { poll(); });
         });
}

void CCalibrate2::poll() {
    after(link_.timing().functionWaitMs, [this] {
        call({1, kCalibrationState, {}, kStateReply, {}}, [this](const FunctionReply& reply) {
            if (reply.ok) {
                lastState_ = DecodeCalibrationState(reply.data);
                flags_ = lastState_->flags;
            } else {
                errorText_ = reply.errorText;
            }
            if (polls_ >= kMostStatePolls) {
                errorText_ = Text("IDS_STRING802");
                measured();
                return;
            }
            ++polls_;
            if (flags_ & kMeasurementsCompleted)
                measured();
            else
                poll();
        });
    });
}

// Judged by the last state the module gave. When no poll was answered at all, the
// measurement is not taken for done: the start's own state says nothing about it.
void CCalibrate2::measured() {
    if (lastState_) {
        applyState(*lastState_);
    } else {
        failed_ = true;
        statusText_ = errorText_;
    }
    next_->show();
    if (failed_) {
        setText(Text("IDS_STRING805") + statusText_);
        nextAllowed_ = false;
    } else {
        setText(Text("IDS_STRING807"));
    }
    step_ = Step::Check;
    setBusy(false);
}

void CCalibrate2::sendTest() {
    call({1, kCalibrationTest, {}, kTestReply, {}}, [this](const FunctionReply& reply) {
        if (!reply.ok) {
            report(reply.errorText, Text("IDS_STRING754"), [this] { sendTest(); });
            return;
        }
        applyState(*DecodeCalibrationState(reply.data, 1));
        if (const int invalid = reply.data[0]; invalid != 0) {
            readInvalidCoefficient(invalid);
            return;
        }
        if (failed_) setText(Text("IDS_STRING761"));
        coefficients_.clear();
        readCoefficient(1);
    });
}

void CCalibrate2::readInvalidCoefficient(int number) {
    call({1, kCalibrationCoefficient, {static_cast<std::uint8_t>(number)}, 0, {}},
         [this, number](const FunctionReply& reply) {
             if (!reply.ok) {
                 report(reply.errorText, Text("IDS_STRING755"), [this, number] { readInvalidCoefficient(number); });
                 return;
             }
             storeCoefficient(reply);
             setText(InvalidCoefficientText(run_.type, coefficient_.value()));
             step_ = Step::FailedCoefficient;
             setBusy(false);
         });
}

void CCalibrate2::readCoefficient(int number) {
    if (number > CoefficientCount(run_.type)) {
        setText(CoefficientReportText(run_.type, coefficients_));
        step_ = Step::Store;
        setBusy(false);
        return;
    }
    call({1, kCalibrationCoefficient, {static_cast<std::uint8_t>(number)}, 0, {}},
         [this, number](const FunctionReply& reply) {
             if (!reply.ok) {
                 // Type 3 goes on with the next coefficient; the failed one shows what the record held.
                 report(reply.errorText, CoefficientReadLabel(run_.type), [this, number] {
                     if (run_.type == 3) {
                         coefficients_.push_back(coefficient_.value());
                         readCoefficient(number + 1);
                     } else {
                         readCoefficient(number);
                     }
                 });
                 return;
             }
             storeCoefficient(reply);
             coefficients_.push_back(coefficient_.value());
             readCoefficient(number + 1);
         });
}

void CCalibrate2::sendStore() {
    call({0, kCalibrationStore, {}, kStateReply, kStoreReadTimeoutMs}, [this](const FunctionReply& reply) {
        if (!reply.ok) {
            showError(reply.errorText, Text("IDS_STRING784"));
            if (ask(Text("IDS_STRING785"), Text("IDS_STRING786")) == MessageAnswer::Yes) {
                sendStore();
            } else {
                leaveCalibration();
                end(QDialog::Rejected);
            }
            return;
        }
        applyState(*DecodeCalibrationState(reply.data));
        if (!failed_) {
            stored();
            return;
        }
        if (++storeFailures_ < kStoreAttempts) {
            sendStore();
            return;
        }
        const bool again = ask(statusText_ + Text("IDS_STRING811"), Text("IDS_STRING812")) == MessageAnswer::Yes;
        leaveCalibration();
        end(QDialog::Rejected, again ? FollowUp::ChooseAgain : FollowUp::None);
    });
}

void CCalibrate2::stored() {
    if (run_.type == 4 && position_ == ValvePosition::Close) {
        leaveCalibration();
        setText(Text("IDS_STRING787"));
        position_ = ValvePosition::Open;
        step_ = Step::Start;
    } else {
        setText(Text(inputCalibrationType(run_.type)->completionKey));
        step_ = Step::Finish;
    }
    setBusy(false);
}

void CCalibrate2::call(FunctionCall call, std::function<void(const FunctionReply&)> then) {
    callFunction(link_, this, std::move(call), [this, then = std::move(then)](const FunctionReply& reply) {
        if (!ended_) then(reply);
    });
}

void CCalibrate2::after(int milliseconds, std::function<void()> then) {
    QTimer::singleShot(milliseconds, this, [this, then = std::move(then)] {
        if (!ended_) then();
    });
}

// Posted with no receiver: it goes out even when the dialog is gone by then.
void CCalibrate2::leaveCalibration() { callFunction(link_, nullptr, {0, kCalibrationLeave, {}, 0, {}}, {}); }

void CCalibrate2::end(int result, FollowUp followUp) {
    ended_ = true;
    followUp_ = followUp;
    setBusy(false);
    QDialog::done(result);
}

void CCalibrate2::applyState(const CalibrationState& state) {
    statusText_ = CalibrationStatusText(state.status).substr(0, kLongestStatusText);
    failed_ = state.failed();
}

void CCalibrate2::storeCoefficient(const FunctionReply& reply) {
    if (DecodeCoefficient(reply.data, coefficient_)) return;
    failed_ = true;
    statusText_ = Text("IDS_STRING814");
}

void CCalibrate2::showError(const std::string& errorText, const std::string& label) {
    if (!errorText.empty()) ask(errorText, Text("IDS_STRING816") + label, MessageIcon::Error, MessageButtons::Ok);
}

void CCalibrate2::report(const std::string& errorText, const std::string& label, const std::function<void()>& retry) {
    showError(errorText, label);
    if (ask(Text("IDS_STRING809"), Text("IDS_STRING810")) == MessageAnswer::Yes)
        retry();
    else
        end(QDialog::Rejected);
}

MessageAnswer CCalibrate2::ask(const std::string& text, const std::string& caption, MessageIcon icon,
                               MessageButtons buttons) {
    unsetCursor();
    const MessageAnswer answer = link_.document().ui().message(text, caption, icon, buttons);
    if (busy_) setCursor(Qt::WaitCursor);
    return answer;
}

void CCalibrate2::setText(const std::string& text) {
    text_->setText(shownText(text));
    // A longer text is shown whole; the window never shrinks under the person's hands.
    QLayout* box = layout();
    if (!isVisible() || !box || !box->hasHeightForWidth()) return;
    if (const int needed = box->totalHeightForWidth(width()); needed > height()) resize(width(), needed);
}

void CCalibrate2::setBusy(bool busy) {
    busy_ = busy;
    next_->setEnabled(!busy && nextAllowed_);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

}  // namespace vantor::gui::Dialogs
