#include "calibration/strain/weight_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "calibration/framework/calibration_link.h"
#include "calibration/procedures.h"
#include "description/desc_branch.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "models/kq15.h"
#include "models/strain_gauge_limits.h"
#include "params/number_text.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui {
namespace {

constexpr int kFourInputs = 4;

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }

bool hasFourInputs(const CPlimoDoc& document) {
    const auto* model = dynamic_cast<const CKQ15*>(document.deviceModel());
    return model && model->Variant() == 1;
}

Parameter* found(DescBranch* branch, const char* name, int index) {
    return branch ? branch->FindParameters(name, nullptr, nullptr, nullptr, index) : nullptr;
}

// What "Yes" sends for the channel, prepared on the window's thread.
struct TakeTare {
    Parameter take;
    Parameter init;
    Parameter* tare = nullptr;  // the tree's "p.wgh" of the channel
    int written = -1;
};

}  // namespace

void runTareWeight(CalibrationLink& link, QWidget* parent) {
    CWeightTDDlg dialog(link, parent);
    dialog.exec();
}

CWeightTDDlg::CWeightTDDlg(CalibrationLink& link, QWidget* parent)
    : QDialog(parent),
      link_(link),
      fourInputs_(hasFourInputs(link.document())),
      channelLabel_(new QLabel(keyed("IDD_WEIGHT_TD_IDC_STAT1"))),
      channels_(new QComboBox),
      weight_(new QLineEdit),
      yes_(new QPushButton(keyed("IDD_WEIGHT_TD_IDOK"))),
      no_(new QPushButton(keyed("IDD_WEIGHT_TD_IDCANCEL"))) {
    setWindowTitle(keyed("IDD_WEIGHT_TD_CAPTION"));
    channels_->setObjectName("channel");
    weight_->setObjectName("weight");
    weight_->setReadOnly(true);
    weight_->setFocusPolicy(Qt::NoFocus);
    weight_->setAlignment(Qt::AlignRight);
    channelLabel_->setBuddy(channels_);
    for (int channel = 1; channel <= kFourInputs; ++channel) channels_->addItem(QString::number(channel));
    channels_->setCurrentIndex(0);
    channelLabel_->setVisible(fourInputs_);
    channels_->setVisible(fourInputs_);

    auto* rows = new QGridLayout;
    rows->setColumnStretch(1, 1);
    rows->addWidget(channelLabel_, 0, 0);
    rows->addWidget(channels_, 0, 1);
    rows->addWidget(new QLabel(keyed("IDD_WEIGHT_TD_IDC_STATIC_1")), 1, 0);
    rows->addWidget(weight_, 1, 1);
    rows->addWidget(new QLabel(keyed("IDD_WEIGHT_TD_IDC_STATIC_2")), 1, 2);

    auto* question = new QLabel(keyed("IDD_WEIGHT_TD_IDC_STATIC_3"));
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(yes_, QDialogButtonBox::YesRole);
    buttons->addButton(no_, QDialogButtonBox::NoRole);
    yes_->setDefault(true);
    connect(yes_, &QPushButton::clicked, this, &CWeightTDDlg::takeTare);
    connect(no_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(question);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    poll_.setSingleShot(true);
    connect(&poll_, &QTimer::timeout, this, &CWeightTDDlg::pollLoad);
    poll_.start(link_.timing().tarePollMs);
}

int CWeightTDDlg::channel() const { return fourInputs_ ? channels_->currentIndex() : 0; }

void CWeightTDDlg::pollLoad() {
    const int generation = pollGeneration_;
    Parameter* load = found(link_.document().scannersBranch(), kStrainLoad, channel());
    auto result = std::make_shared<int>(-1);
    auto valueText = std::make_shared<std::string>();
    CPlimoDoc& document = link_.document();
    link_.post(
        this,
        [&document, load, result, valueText] {
            if (!load) return;
            *result = document.ReadParameter(*load);
            *valueText = load->valueText;
        },
        [this, generation, result, valueText] {
            if (generation != pollGeneration_) return;
            showLoad(*result, *valueText);
            poll_.start(link_.timing().tarePollMs);
        });
}

void CWeightTDDlg::showLoad(int readResult, const std::string& valueText) {
    const std::optional<double> load = readResult == 0 ? leadingNumber(valueText) : std::nullopt;
    weight_->setText(QString::fromStdString(load ? FormatTextArgs("%.3f", *load) : Text("IDS_NODATA")));
}

void CWeightTDDlg::takeTare() {
    ++pollGeneration_;
    poll_.stop();
    yes_->setEnabled(false);
    no_->setEnabled(false);

    CPlimoDoc& document = link_.document();
    auto tare = std::make_shared<TakeTare>();
    tare->tare = found(document.rootBranch(), kStrainTare, channel());
    makeTemporaryParameter(tare->take, kStrainTakeTare, "void");
    // Addressed as the channel's own parameters are.
    tare->take.indexed = tare->tare ? tare->tare->indexed : 0;
    tare->take.dataIndex = tare->take.indexed ? channel() : 0;
    makeTemporaryParameter(tare->init, "INIT", "void");
    link_.post(
        this,
        [&document, tare] {
            tare->written = document.WriteParameter(tare->take, 0);
            if (tare->written != 0) return;
            document.WriteParameter(tare->init, 0);  // the restart answers nothing worth showing
            if (tare->tare) document.ReadParameter(*tare->tare);
        },
        [this, &document, tare] {
            if (tare->written == 0) {
                accept();
                return;
            }
            document.ui().message(Text("IDS_STRING719"), {}, MessageIcon::Warning, MessageButtons::Ok);
            yes_->setEnabled(true);
            no_->setEnabled(true);
            poll_.start(link_.timing().tarePollMs);
        });
}

void CWeightTDDlg::done(int result) {
    // Closed: no reading starts again, and none still coming is shown.
    ++pollGeneration_;
    poll_.stop();
    QDialog::done(result);
}

}  // namespace vantor::gui
