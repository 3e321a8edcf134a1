#include "calibration/inductance/limit_pages.h"

#include <QAbstractButton>
#include <memory>

#include "calibration/framework/my_sheet.h"
#include "calibration/inductance/apply_calibration.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationVI {
namespace {

constexpr LimitPageFacts kLower{"IDS_STRING622", "zU.Sh", "IDS_STRING626"};
constexpr LimitPageFacts kUpper{"IDS_STRING627", "zU.Sc", "IDS_STRING629"};
// Status values from this one on report a failed calibration.
constexpr std::uint32_t kStatusError = 128;

}  // namespace

CLimitPage::CLimitPage(const LimitPageFacts& facts) : CalibrationPage(facts.titleKey), facts_(facts) {}

void CLimitPage::onLeave() { hideBusy(); }

bool CLimitPage::onNext() {
    sheet().setWizardButtons(0);
    showBusy(Text("IDS_STRING525"));
    auto command = std::make_shared<Parameter>();
    makeTemporaryParameter(*command, facts_.command, "void");
    auto written = std::make_shared<int>(0);
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this, [&document, command, written] { *written = document.WriteParameter(*command, 0); },
        [this, &document, command, written] {
            if (!isVisible()) return;
            hideBusy();
            // A reply the link cannot decode still means the module took the command.
            if (*written != 0 && command->errorText != Text("IDS_NODECODING_ANSWER")) {
                document.ui().message(command->errorText, Text(facts_.errorCaptionKey), MessageIcon::Warning,
                                      MessageButtons::Ok);
                sheet().setWizardButtons(CmySheet::kBack | CmySheet::kNext);
                // Next gave the focus away while it was disabled: Enter tries again, it does not cancel.
                sheet().button(QWizard::NextButton)->setFocus();
                return;
            }
            sheet().pressNext();
        });
    return false;
}

CMinPage::CMinPage() : CLimitPage(kLower) {}

// The text names the lower limit once the module has told its variant; a Next in the
// meantime measures after the read, in the link's order.
void CMinPage::onActivate() {
    auto variant = std::make_shared<Parameter>("tdev");
    variant->type = Text("IDS_STRING623");
    auto read = std::make_shared<int>(0);
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this, [&document, variant, read] { *read = document.ReadParameter(*variant); },
        [this, variant, read] {
            const std::string lowerLimit = *read == 0 ? variant->valueText : Text("IDS_STRING624");
            setInstruction(FormatText(Text("IDS_STRING625"), lowerLimit));
        });
}

CMaxPage::CMaxPage() : CLimitPage(kUpper) {}

void CMaxPage::onActivate() { setInstruction(Text("IDS_STRING628")); }

CSaveVIPage::CSaveVIPage() : CSavePage("IDS_STRING630") {}

bool CSaveVIPage::onFinish() {
    sheet().setWizardButtons(0);
    auto status = std::make_shared<std::optional<std::uint32_t>>();
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this, [&document, status] { *status = applyCalibration(document); },
        [this, &document, status] {
            if (!isVisible()) return;
            if (*status && **status >= kStatusError)
                document.ui().message(Text("IDS_STRING631"), {}, MessageIcon::Warning, MessageButtons::Ok);
            sheet().finish();
        });
    return false;
}

}  // namespace vantor::gui::CalibrationVI
