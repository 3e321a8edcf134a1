#include "calibration/module/calibration_method_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <memory>

#include "calibration/framework/calibration_link.h"
#include "calibration/module/module_function.h"
#include "document/configuration_document.h"
#include "models/calibration_functions.h"
#include "protocol/name_hash.h"
#include "text/texts.h"

namespace vantor::gui::Dialogs {

namespace {

constexpr int kChannels = 8;
constexpr int kHighestAccessCode = 1000;
constexpr int kListWidth = 32;  // characters

struct InputTypeOutcome {
    bool ok = false;
    std::string errorText;
};

}  // namespace

CCalibrate1::CCalibrate1(CalibrationLink& link, QWidget* parent)
    : QDialog(parent),
      link_(link),
      form_(new QFormLayout),
      method_(new QComboBox),
      description_(new QLabel),
      sensor_(new QComboBox),
      channel_(new QComboBox),
      code_(new QSpinBox) {
    setWindowTitle(keyedText("IDD_CALIBRATE1_CAPTION"));
    method_->setObjectName("method");
    sensor_->setObjectName("sensor");
    channel_->setObjectName("channel");
    code_->setObjectName("accessCode");
    description_->setObjectName("description");

    method_->addItem(shownText(Text("IDS_STRING384")));
    for (const InputCalibrationType& type : inputCalibrationTypes()) method_->addItem(shownText(Text(type.nameKey)));
    description_->setWordWrap(true);
    // Wide enough for the longest sensor name whichever list is shown.
    for (QComboBox* list : {method_, sensor_, channel_}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(kListWidth);
    }
    code_->setRange(0, kHighestAccessCode);

    form_->addRow(keyedText("IDD_CALIBRATE1_IDC_STATIC_1"), method_);
    form_->addRow(description_);
    form_->addRow(keyedText("IDD_CALIBRATE1_DEVICE_TYPE_STATIC"), sensor_);
    form_->addRow(keyedText("IDD_CALIBRATE1_CHANNEL_TYPE_STATIC"), channel_);
    form_->addRow(keyedText("IDD_CALIBRATE1_CODE_STATIC"), code_);

    auto* buttons = new QDialogButtonBox;
    next_ = buttons->addButton(keyedText("IDD_CALIBRATE1_IDOK"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(keyedText("IDD_CALIBRATE1_IDCANCEL"), QDialogButtonBox::RejectRole);
    next_->setDefault(true);
    cancel->setAutoDefault(false);
    connect(next_, &QPushButton::clicked, this, &CCalibrate1::next);
    connect(cancel, &QPushButton::clicked, this, &CCalibrate1::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addStretch();
    layout->addWidget(buttons);

    connect(method_, &QComboBox::currentIndexChanged, this, &CCalibrate1::methodChosen);
    methodChosen(0);
}

void CCalibrate1::done(int result) {
    ended_ = true;
    QDialog::done(result);
}

void CCalibrate1::methodChosen(int index) {
    const InputCalibrationType* type = inputCalibrationType(index);
    description_->setText(type ? shownText(Text(type->descriptionKey)) : QString());
    const bool sensors = type && !type->sensors.empty();
    const bool channels = type && type->needsChannel;
    form_->setRowVisible(sensor_, sensors);
    form_->setRowVisible(channel_, channels);
    code_->setEnabled(type != nullptr);

    sensor_->clear();
    if (sensors)
        for (const Sensor& sensor : type->sensors) sensor_->addItem(shownText(Text(sensor.textKey)), sensor.code);
    sensor_->setCurrentIndex(-1);
    if (channels && channel_->count() == 0) {
        for (int input = 1; input <= kChannels; ++input)
            channel_->addItem(QString::fromStdString(FormatText(Text("IDS_STRING381"), input)));
        channel_->setCurrentIndex(0);
    }
    adjustSize();
}

void CCalibrate1::next() {
    if (busy_) return;
    UserInterface& ui = link_.document().ui();
    const InputCalibrationType* type = inputCalibrationType(method_->currentIndex());
    if (!type) {
        ui.message(Text("IDS_STRING727"), Text("IDS_STRING728"), MessageIcon::None, MessageButtons::Ok);
        return;
    }
    const AccessVerdict verdict = CheckAccessCode(type->type, code_->value());
    if (verdict != AccessVerdict::Granted) {
        ui.message(Text("IDS_STRING729"), Text("IDS_STRING730"), MessageIcon::None, MessageButtons::Ok);
        if (verdict == AccessVerdict::RefusedAndClose) reject();
        return;
    }
    const bool needsSensor = !type->sensors.empty();
    if ((needsSensor && sensor_->currentIndex() < 0) || (type->needsChannel && channel_->currentIndex() < 0)) return;

    choice_ = {type->type, needsSensor ? sensor_->currentData().toInt() : 0,
               type->needsChannel ? channel_->currentIndex() : 0};
    if (needsSensor)
        setInputType();
    else
        accept();
}

void CCalibrate1::setInputType() {
    setBusy(true);
    CPlimoDoc& document = link_.document();
    DescBranch* root = document.rootBranch();
    Parameter* inputType =
        root ? root->FindParameters(kInputType, nullptr, nullptr, nullptr, choice_.channel) : nullptr;
    auto outcome = std::make_shared<InputTypeOutcome>();
    link_.post(
        this,
        [&device = document.device(), choice = choice_, inputType, outcome] {
            Bytes reply;
            outcome->ok =
                device.ExchangeFrame(0, hash_name(kInputType), InputTypeData(choice.sensorCode, choice.channel), reply,
                                     outcome->errorText, 0);
            // The tree shows what the module now measures.
            if (inputType && device.ExchangeParameter(1, inputType) != 0 && outcome->ok) {
                outcome->ok = false;
                outcome->errorText = inputType->errorText;
            }
        },
        [this, outcome] {
            setBusy(false);
            if (ended_) return;
            if (outcome->ok) {
                accept();
                return;
            }
            const MessageAnswer answer =
                link_.document().ui().message(outcome->errorText + Text("IDS_STRING738"), Text("IDS_STRING739"),
                                              MessageIcon::None, MessageButtons::YesNo);
            if (answer == MessageAnswer::Yes)
                setInputType();
            else
                reject();
        });
}

void CCalibrate1::setBusy(bool busy) {
    busy_ = busy;
    next_->setEnabled(!busy);
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

}  // namespace vantor::gui::Dialogs
