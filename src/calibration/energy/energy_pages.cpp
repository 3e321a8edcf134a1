#include "calibration/energy/energy_pages.h"

#include <memory>
#include <optional>

#include "calibration/energy/energy_sheet.h"
#include "document/configuration_document.h"
#include "models/device_energy.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationEnergy {
namespace {

constexpr StageFacts kStart{"IDS_STRING519", 1};
constexpr StageFacts kStep1{"IDS_STRING520", 2};
constexpr StageFacts kStep2{"IDS_STRING521", 3};
constexpr StageFacts kStep3{"IDS_STRING522", 4};

// Bits of "Mode".
constexpr std::uint32_t kCalibrationFailed = 0x01;

}  // namespace

CStagePage::CStagePage(const StageFacts& facts) : CalibrationPage(facts.titleKey), facts_(facts), wait_(*this) {}

void CStagePage::onActivate() {
    if (startsCalibration()) sheet().setWizardButtons(CmySheet::kNext);
    showStepText();
}

// The model may read the signal levels it names from the module first.
void CStagePage::showStepText() {
    CDeviceEnergy& meter = energySheetOf(*this).meter();
    auto text = std::make_shared<std::optional<std::string>>();
    sheet().link().post(
        this, [&meter, text, stage = facts_.stage] { *text = meter.CalibrationStepText(stage); },
        [this, text] { setInstruction(text->value_or(std::string())); });
}

void CStagePage::onLeave() {
    wait_.end();
    if (startsCalibration()) sheet().setWizardButtons(CmySheet::kBack | CmySheet::kNext);
}

bool CStagePage::onNext() {
    if (startsCalibration()) {
        CSheetEnergy& sheet = energySheetOf(*this);
        CPlimoDoc& document = sheet.document();
        sheet.modeParameter().valueText = std::to_string(sheet.meter().CalibrationModeValue());
        // The readings tell whether the meter took it.
        sheet.link().post(this, [&document, &mode = sheet.modeParameter()] { document.WriteParameter(mode, 0); });
    }
    startStage();
    return false;
}

void CStagePage::startStage() {
    CSheetEnergy& sheet = energySheetOf(*this);
    sheet.setWizardButtons(sheet.wizardButtons() & ~CmySheet::kNext);
    wait_.start(
        Text("IDS_STRING518"), {&sheet.modeParameter()}, sheet.timing().stageTimeoutMs,
        [this](const Reading& reading) { judgeMode(reading); }, [&sheet] { sheet.showError(Text("IDS_STRING298")); });
}

void CStagePage::judgeMode(const Reading& reading) {
    const std::optional<std::uint32_t> mode = statusWord(reading, 0);
    if (!mode) return;
    CSheetEnergy& sheet = energySheetOf(*this);
    if (*mode & kCalibrationFailed) {
        wait_.end();
        sheet.showError(Text("IDS_STRING298"));
    } else if (sheet.meter().CalibrationFlagBit(*mode, facts_.stage)) {
        wait_.end();
        sheet.setWizardButtons(CmySheet::kBack | CmySheet::kNext);
        sheet.pressNext();
    }
}

CCodePage::CCodePage() : CStagePage(kStart) {}

CStep1Page::CStep1Page() : CStagePage(kStep1) {}

CStep2Page::CStep2Page() : CStagePage(kStep2) {}

CStep3Page::CStep3Page() : CStagePage(kStep3) {}

CEndPage::CEndPage() : CalibrationPage("IDS_STRING523") { setEndsPath(true); }

void CEndPage::onActivate() {
    setInstruction(Text("IDS_STRING524"));
    sheet().setWizardButtons(CmySheet::kFinish);
}

}  // namespace vantor::gui::CalibrationEnergy
