#include "calibration/ph/ph_step_pages.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <memory>

#include "calibration/ph/ph_save_page.h"
#include "calibration/ph/ph_sheet.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "params/number_text.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationPH {
namespace {

constexpr StepFacts kStep1{"IDS_STRING536",
                           {"IDS_STRING537", "IDS_STRING539"},
                           {"IDS_STRING538", "IDS_STRING540"},
                           "IDS_STRING541",
                           {"IDS_STRING542", "IDS_STRING543", "IDS_STRING544", "IDS_STRING545"},
                           {"U.pH1", "U.pHL", "U.Rx1", "U.RxL"},
                           "IDS_STRING546",
                           "IDS_STRING547",
                           true};
constexpr StepFacts kStep2{"IDS_STRING548",
                           {"IDS_STRING549", "IDS_STRING551"},
                           {"IDS_STRING550", "IDS_STRING552"},
                           "IDS_STRING553",
                           {nullptr, "IDS_STRING554", nullptr, "IDS_STRING555"},
                           {nullptr, "U.pHH", nullptr, "U.RxH"},
                           "IDS_STRING556",
                           "IDS_STRING557",
                           false};

// Bits of "Rd.St".
constexpr std::uint32_t kMeasuringPoint = 0x10;

QString text(const char* key) { return QString::fromStdString(key ? Text(key) : std::string()); }

QLineEdit* readOnlyField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

void showText(QLineEdit& field, const std::string& value) {
    const QString shown = QString::fromStdString(value);
    if (field.text() != shown) field.setText(shown);
}

}  // namespace

CStepPage::CStepPage(const StepFacts& facts)
    : CalibrationPage(facts.titleKey),
      facts_(facts),
      fields_(new QFormLayout),
      buffer_(new QLineEdit),
      measured_(readOnlyField("measured")),
      temperature_(readOnlyField("temperature")),
      wait_(*this) {
    buffer_->setObjectName("buffer");
    fields_->addRow(text(facts.bufferLabelKeys[0]), buffer_);
    fields_->addRow(text(facts.measuredLabelKeys[0]), measured_);
    fields_->addRow(text(facts.temperatureLabelKey), temperature_);
    body().addLayout(fields_);
}

void CStepPage::onActivate() {
    CSheetPH& sheet = phSheetOf(*this);
    const auto mode = static_cast<std::size_t>(sheet.mode());
    const std::size_t quantity = sheet.redox() ? 1 : 0;
    if (const char* instruction = facts_.instructionKeys[mode]) setInstruction(Text(instruction));
    static_cast<QLabel*>(fields_->labelForField(buffer_))->setText(text(facts_.bufferLabelKeys[quantity]));
    static_cast<QLabel*>(fields_->labelForField(measured_))->setText(text(facts_.measuredLabelKeys[quantity]));

    measuredParameter_ = sheet.stateParameter("Rd.Rs");
    temperatureParameter_ = nullptr;
    std::vector<Parameter*> live{measuredParameter_};
    if (sheet.temperatureSource() == kMeasuredTemperature) {
        temperatureParameter_ = sheet.stateParameter("Rd.Tm");
        live.push_back(temperatureParameter_);
    } else if (const Parameter* fixed = sheet.rootParameter("C.Tem")) {
        showText(*temperature_, fixed->valueText);
    }
    live.erase(std::remove(live.begin(), live.end(), nullptr), live.end());
    sheet.link().startReadings(this, live, [this](const Reading& reading) { showReading(reading); });
    buffer_->setEnabled(true);
    buffer_->setFocus();
}

void CStepPage::onLeave() {
    wait_.end();
    sheet().link().stopReadings();
}

void CStepPage::showReading(const Reading& reading) {
    if (reading.parameter == measuredParameter_) showText(*measured_, reading.valueText);
    if (reading.parameter == temperatureParameter_) showText(*temperature_, reading.valueText);
}

bool CStepPage::onNext() {
    CSheetPH& sheet = phSheetOf(*this);
    CPlimoDoc& document = sheet.document();
    std::string value = buffer_->text().toStdString();
    std::replace(value.begin(), value.end(), ',', '.');
    if (!typedDecimal(value)) {
        document.ui().message(Text(facts_.invalidValueKey), Text(facts_.invalidValueCaptionKey), MessageIcon::Warning,
                              MessageButtons::Ok);
        return false;
    }
    const char* pointName = facts_.pointParameters[static_cast<std::size_t>(sheet.mode())];
    status_ = sheet.stateParameter("Rd.St");
    if (!pointName || !status_) return false;

    sheet.setWizardButtons(0);
    buffer_->setEnabled(false);
    sheet.link().stopReadings();
    // The link may still be writing it when the wizard is closed, so the write owns it.
    auto point = std::make_shared<Parameter>();
    makeTemporaryParameter(*point, pointName, "float", value);
    // What the module made of the value shows in its status; the write tells nothing more.
    sheet.link().post(this, [point, &document] { document.WriteParameter(*point, 0); });
    wait_.start(
        Text("IDS_STRING525"), {status_}, sheet.timing().pointTimeoutMs,
        [this](const Reading& reading) { judgeStatus(reading); }, [&sheet] { sheet.showError(Text("IDS_STRING526")); });
    return false;
}

void CStepPage::judgeStatus(const Reading& reading) {
    const std::optional<std::uint32_t> status = statusWord(reading, 10);
    if (reading.parameter != status_ || !status || (*status & kMeasuringPoint)) return;
    wait_.end();
    CSheetPH& sheet = phSheetOf(*this);
    sheet.setWizardButtons(CmySheet::kBack | CmySheet::kNext);
    if (facts_.firstPoint && sheet.twoPoints())
        sheet.activatePage<CStep2Page>();
    else
        sheet.activatePage<CSavePHPage>();
}

CStep1Page::CStep1Page() : CStepPage(kStep1) {}

CStep2Page::CStep2Page() : CStepPage(kStep2) {}

}  // namespace vantor::gui::CalibrationPH
