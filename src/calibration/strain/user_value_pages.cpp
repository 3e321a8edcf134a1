#include "calibration/strain/user_value_pages.h"

#include <QGridLayout>
#include <QLabel>
#include <memory>

#include "calibration/strain/strain_sheet.h"
#include "document/configuration_document.h"
#include "params/parameter.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationTD {
namespace {

// The lower page tells a sensitivity or range it cannot read in the no-data form.
constexpr UserValueFacts kLowerValue{
    .titleKey = "IDS_STRING595",
    .instructionKey = "IDS_STRING601",
    .beforeSensitivity = "",
    .sensitivityKey = "IDS_STRING599",
    .sensitivityMissingKey = nullptr,
    .rangeKey = "IDS_STRING600",
    .rangeFormatKey = "IDS_STRING604",
    .rangeMissingKey = nullptr,
    .unitsLabelKey = "IDS_STRING602",
    .percentLabelKey = "IDS_STRING603",
    .higher = false,
};
constexpr UserValueFacts kHigherValue{
    .titleKey = "IDS_STRING605",
    .instructionKey = "IDS_STRING611",
    .beforeSensitivity = "\r\n",
    .sensitivityKey = "IDS_STRING606",
    .sensitivityMissingKey = "IDS_STRING608",
    .rangeKey = "IDS_STRING607",
    .rangeFormatKey = "IDS_STRING609",
    .rangeMissingKey = "IDS_STRING610",
    .unitsLabelKey = "IDS_STRING612",
    .percentLabelKey = "IDS_STRING613",
    .higher = true,
};

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }

std::string noData() { return "<" + Text("IDS_NODATA") + ">"; }

// `key`'s text, or the no-data form without a key.
std::string missing(const char* key) { return key ? Text(key) : noData(); }

QString printed(const char* format, float value) {
    return QString::fromStdString(FormatTextArgs(format, static_cast<double>(value)));
}

// One row: the label, the field and the unit after it.
QLineEdit* addRow(QGridLayout& rows, const QString& label, const char* unitKey, const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    const int row = rows.rowCount();
    rows.addWidget(caption, row, 0);
    rows.addWidget(field, row, 1);
    rows.addWidget(new QLabel(keyed(unitKey)), row, 2);
    return field;
}

}  // namespace

CUserValuePage::CUserValuePage(const UserValueFacts& facts) : CalibrationPage(facts.titleKey), facts_(facts) {
    auto* rows = new QGridLayout;
    rows->setColumnStretch(1, 1);
    units_ =
        addRow(*rows, QString::fromStdString(Text(facts.unitsLabelKey)), "IDD_USERCALIBRATION_TD_IDC_STAT5", "units");
    percent_ = addRow(*rows, QString::fromStdString(Text(facts.percentLabelKey)), "IDD_USERCALIBRATION_TD_IDC_STAT6",
                      "percent");
    signal_ = addRow(*rows, keyed("IDD_USERCALIBRATION_TD_IDC_STAT4"), "IDD_USERCALIBRATION_TD_IDC_STAT7", "signal");
    signal_->setReadOnly(true);
    signal_->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* number : {units_, percent_, signal_}) number->setAlignment(Qt::AlignRight);
    body().addLayout(rows);
}

CalibrationPoint& CUserValuePage::point() const {
    CSheetTD& strain = sheetOf(*this);
    return facts_.higher ? strain.higher : strain.lower;
}

void CUserValuePage::onActivate() {
    percent_->setText(printed("%.0f", point().percent));
    units_->setText(printed("%.3f", point().units));
    // The instruction names the sensitivity the module has now, so it is read first.
    CSheetTD& strain = sheetOf(*this);
    Parameter* sensitivity = strain.channelSensitivity();
    auto read = std::make_shared<int>(-1);
    CPlimoDoc& document = strain.document();
    strain.link().post(
        this,
        [&document, sensitivity, read] {
            if (sensitivity) *read = document.ReadParameter(*sensitivity);
        },
        [this, sensitivity, read] {
            showInstruction(*read == 0 ? sensitivity->valueText : missing(facts_.sensitivityMissingKey));
        });
    strain.startSignalReadings();
}

void CUserValuePage::showInstruction(const std::string& sensitivity) {
    const Parameter* own = sheetOf(*this).channelSensitivity();
    const std::optional<InputRange> range = sensitivityRange(own ? own->EnumIndex(sensitivity) : -1);
    const std::string rangeText = range ? FormatTextArgs(Text(facts_.rangeFormatKey), range->lower, range->upper)
                                        : missing(facts_.rangeMissingKey);
    setInstruction(Text(facts_.instructionKey) + facts_.beforeSensitivity + Text(facts_.sensitivityKey) + sensitivity +
                   Text(facts_.rangeKey) + rangeText);
}

void CUserValuePage::onLeave() { sheetOf(*this).stopSignalReadings(); }

void CUserValuePage::onSignal(std::optional<float> signal) {
    if (signal) point().signal = *signal;
    const QString shown = signal ? printed("%.4f", *signal) : QString::fromStdString(Text("IDS_NODATA"));
    if (signal_->text() != shown) signal_->setText(shown);
}

bool CUserValuePage::onNext() {
    const std::optional<float> percent = typedNumber(percent_->text().toStdString());
    const std::optional<float> units = typedNumber(units_->text().toStdString());
    CPlimoDoc& document = sheet().document();
    if (!percent || !units) {
        const std::string text = FormatTextArgs(Text("IDS_STRING596"), percent ? "" : Text("IDS_STRING597").c_str(),
                                                units ? "" : Text("IDS_STRING598").c_str()) +
                                 ".";
        document.ui().message(text, {}, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    // Two points at one percentage give no line to calibrate by.
    if (facts_.higher && *percent == sheetOf(*this).lower.percent) {
        document.ui().message(Text("IDS_STRAIN_SAME_PERCENT"), {}, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    point().percent = *percent;
    point().units = *units;
    return true;
}

CUserMinPage::CUserMinPage() : CUserValuePage(kLowerValue) {}

CUserMaxPage::CUserMaxPage() : CUserValuePage(kHigherValue) {}

}  // namespace vantor::gui::CalibrationTD
