#include "calibration/module/output_calibration_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>
#include <memory>

#include "calibration/framework/calibration_link.h"
#include "calibration/module/module_function.h"
#include "document/configuration_document.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui::Dialogs {

namespace {

// The buttons in rows of two: down, up.
constexpr int kStepAmounts[] = {-2, 2, -5, 5, -10, 10};
// The highest coefficient has four digits.
constexpr int kLongestValue = 4;

struct WriteOutcome {
    int result = 0;
    std::string errorText;
};

}  // namespace

CCalibration::CCalibration(CalibrationLink& link, QWidget* parent)
    : QDialog(parent), link_(link), list_(new QListWidget), value_(new QLineEdit) {
    setWindowTitle(keyedText("IDD_DIALOG_CALIB_CAPTION"));
    list_->setObjectName("coefficients");
    value_->setObjectName("value");
    value_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), value_));
    value_->setMaxLength(kLongestValue);
    value_->setAlignment(Qt::AlignRight);

    auto* listLabel = new QLabel(keyedText("IDD_DIALOG_CALIB_IDC_STATIC"));
    listLabel->setBuddy(list_);
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(list_);

    auto* right = new QGridLayout;
    right->addWidget(value_, 0, 0, 1, 2);
    for (std::size_t i = 0; i < std::size(kStepAmounts); ++i) {
        const int amount = kStepAmounts[i];
        auto* button = new QPushButton(amount > 0 ? QString("+%1").arg(amount) : QString::number(amount));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, amount] { step(amount); });
        right->addWidget(button, 1 + static_cast<int>(i) / 2, static_cast<int>(i) % 2);
        steps_.push_back(button);
    }
    auto* finish = new QPushButton(keyedText("IDD_DIALOG_CALIB_IDOK"));
    finish->setDefault(true);
    connect(finish, &QPushButton::clicked, this, &CCalibration::accept);
    right->setRowStretch(4, 1);
    right->addWidget(finish, 5, 0, 1, 2);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    setValueControlsEnabled(false);

    // By the selection, not the current row: a list taking the focus makes its first row current,
    // and no output is to be driven before the person has chosen one.
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = list_->selectedItems();
        if (!selected.isEmpty()) choose(list_->row(selected.front()));
    });
    connect(value_, &QLineEdit::textEdited, this, [this] { save(); });

    // The types of the outputs, read first where the tree has none yet and the person wants them read.
    CPlimoDoc& document = link_.document();
    DescBranch* root = document.rootBranch();
    const CBaseDevice* model = document.deviceModel();
    const bool readWhenOpen = document.ui().option(OptionSwitch::ReadWhenOpen);
    std::vector<Parameter*> outputTypes;
    std::vector<Parameter*> due;
    for (int output = 0; output < CalibratedOutputCount(model ? model->model() : Model::KQ02); ++output) {
        Parameter* type = root ? root->FindParameters(kOutputType, nullptr, nullptr, nullptr, output) : nullptr;
        outputTypes.push_back(type);
        if (type && readWhenOpen && type->valueText == Text("IDS_NODATA")) due.push_back(type);
    }
    post(
        [&document, due] {
            for (Parameter* type : due) document.ReadParameter(*type);
        },
        [this, outputTypes] { listCoefficients(outputTypes); });
}

void CCalibration::accept() { finish(QDialog::Accepted); }

void CCalibration::reject() { finish(QDialog::Rejected); }

void CCalibration::listCoefficients(const std::vector<Parameter*>& outputTypes) {
    std::vector<std::optional<std::string>> types;
    types.reserve(outputTypes.size());
    for (const Parameter* type : outputTypes) types.push_back(type ? std::optional(type->valueText) : std::nullopt);
    coefficients_ = OutputCoefficientList(types);
    const QSignalBlocker quiet(list_);
    list_->clear();
    for (const OutputCoefficient& coefficient : coefficients_) list_->addItem(QString::fromStdString(coefficient.text));
}

void CCalibration::choose(int row) {
    if (row < 0 || row >= static_cast<int>(coefficients_.size()) || choosing_ || closing_) return;
    const int number = coefficients_[static_cast<std::size_t>(row)].number;
    save();
    choosing_ = true;
    list_->setEnabled(false);
    setValueControlsEnabled(false);
    auto reading = std::make_shared<CoefficientReading>();
    post(
        [&document = link_.document(), number, reading] {
            Parameter coefficient;
            MakeOutputCoefficientParameter(coefficient, number);
            reading->result = document.ReadParameter(coefficient);
            reading->valueText = coefficient.valueText;
            reading->errorText = coefficient.errorText;
            reading->editable = coefficient.editable;
            reading->manufacturerOwned = coefficient.manufacturerOwned;
        },
        [this, number, reading] { coefficientRead(number, *reading); });
}

void CCalibration::coefficientRead(int number, const CoefficientReading& reading) {
    int value = 0;
    if (reading.result != 0) {
        message(Text("IDS_STRING512") + reading.errorText);
        // Unknown: another coefficient's attributes must not lock this one.
        editable_ = 1;
        manufacturerOwned_ = 0;
    } else {
        value = std::atoi(reading.valueText.c_str());
        editable_ = reading.editable;
        manufacturerOwned_ = reading.manufacturerOwned;
    }
    if (reading.result == 0 && !editable_) {
        const MessageAnswer answer =
            link_.document().ui().message(FormatTextArgs(Text("IDS_STRING513"), kOutputCoefficient, number), "",
                                          MessageIcon::Question, MessageButtons::YesNo);
        if (answer == MessageAnswer::No) {
            choosing_ = false;
            closing_ = true;
            leaveCalibration([this] { QDialog::done(QDialog::Rejected); });
            return;
        }
        auto outcome = std::make_shared<WriteOutcome>();
        post(
            [&document = link_.document(), number, value, owned = manufacturerOwned_, outcome] {
                Parameter coefficient;
                MakeOutputCoefficientParameter(coefficient, number);
                coefficient.valueText = FormatText("%i", value);
                coefficient.editable = 1;
                coefficient.manufacturerOwned = owned;
                outcome->result = document.WriteParameter(coefficient, 0);
                outcome->errorText = coefficient.errorText;
            },
            [this, outcome] {
                if (outcome->result != 0) message(Text("IDS_STRING514") + outcome->errorText);
            });
    }
    driveOutput(number, value);
}

void CCalibration::driveOutput(int number, int value) {
    auto outcome = std::make_shared<WriteOutcome>();
    post(
        [&document = link_.document(), number, outcome] {
            Parameter drive;
            MakeDriveOutputParameter(drive, number);
            outcome->result = document.WriteParameter(drive, 0);
            outcome->errorText = drive.errorText;
        },
        [this, number, value, outcome] {
            if (outcome->result != 0) message(Text("IDS_STRING516") + outcome->errorText);
            current_ = number;
            choosing_ = false;
            list_->setEnabled(true);
            setValueControlsEnabled(true);
            showValue(value);
            if (closeAfterChoice_) finish(*closeAfterChoice_);
        });
}

void CCalibration::save() {
    if (current_ < 0) return;
    auto outcome = std::make_shared<WriteOutcome>();
    post(
        [&document = link_.document(), number = current_, value = value_->text().toInt(), editable = editable_,
         owned = manufacturerOwned_, outcome] {
            Parameter coefficient;
            MakeOutputCoefficientParameter(coefficient, number);
            document.ReadParameter(coefficient);
            if (!editable) {
                coefficient.editable = 1;
                document.WriteParameter(coefficient, 0);
            }
            coefficient.valueText = FormatText("%i", value);
            outcome->result = document.WriteParameter(coefficient, 0);
            outcome->errorText = coefficient.errorText;
            // Locks a read-only coefficient again.
            coefficient.editable = editable;
            coefficient.manufacturerOwned = owned;
            document.WriteParameter(coefficient, 0);
        },
        [this, outcome] {
            if (outcome->result != 0) message(Text("IDS_STRING517") + outcome->errorText, MessageIcon::Warning);
        });
}

void CCalibration::showValue(int value) {
    value_->setText(QString::number(value));
    save();
}

void CCalibration::step(int amount) {
    if (current_ < 0) return;
    if (const std::optional<int> stepped = SteppedCoefficient(value_->text().toInt(), amount)) showValue(*stepped);
}

void CCalibration::leaveCalibration(std::function<void()> then) {
    auto outcome = std::make_shared<WriteOutcome>();
    post(
        [&document = link_.document(), outcome] {
            Parameter leave;
            MakeLeaveCalibrationParameter(leave);
            outcome->result = document.ReadParameter(leave);
            outcome->errorText = leave.errorText;
        },
        [this, outcome, then = std::move(then)] {
            if (outcome->result != 0) {
                message(Text("IDS_STRING515") + outcome->errorText);
                then();
                return;
            }
            // The module takes a moment to return to its operating mode.
            busyStarted();
            QTimer::singleShot(link_.timing().checkPauseMs, this, [this, then] {
                busyEnded();
                then();
            });
        });
}

void CCalibration::finish(int result) {
    if (closing_) return;
    if (choosing_) {
        closeAfterChoice_ = result;
        return;
    }
    closing_ = true;
    list_->setEnabled(false);
    setValueControlsEnabled(false);
    if (current_ < 0) {
        QDialog::done(result);
        return;
    }
    save();
    leaveCalibration([this, result] { QDialog::done(result); });
}

void CCalibration::post(std::function<void()> work, std::function<void()> done) {
    busyStarted();
    link_.post(this, std::move(work), [this, done = std::move(done)] {
        busyEnded();
        done();
    });
}

void CCalibration::busyStarted() {
    if (pending_++ == 0) setCursor(Qt::WaitCursor);
}

void CCalibration::busyEnded() {
    if (--pending_ == 0) unsetCursor();
}

void CCalibration::message(const std::string& text, MessageIcon icon) {
    unsetCursor();
    link_.document().ui().message(text, "", icon, MessageButtons::Ok);
    if (pending_ > 0) setCursor(Qt::WaitCursor);
}

void CCalibration::setValueControlsEnabled(bool enabled) {
    value_->setEnabled(enabled);
    for (QPushButton* button : steps_) button->setEnabled(enabled);
}

}  // namespace vantor::gui::Dialogs
