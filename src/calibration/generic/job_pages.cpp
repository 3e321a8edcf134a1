#include "calibration/generic/job_pages.h"

#include "calibration/framework/my_sheet.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "text/texts.h"

namespace vantor::gui {
namespace {

constexpr JobPageFacts kOffset{"IDS_STRING659", "IDS_STRING660", kJobOffsetStart, "IDS_STRING661"};
constexpr JobPageFacts kScale{"IDS_STRING662", "IDS_STRING663", kJobScaleStart, "IDS_STRING664"};

}  // namespace

CJobPage::CJobPage(const JobPageFacts& facts) : CalibrationPage(facts.titleKey), facts_(facts) {
    makeTemporaryParameter(start_, facts.startParameter, "int", "0");
}

void CJobPage::onActivate() { setInstruction(Text(facts_.instructionKey)); }

void CJobPage::onLeave() {
    hideBusy();
    sheet().setWizardButtons(CmySheet::kBack | CmySheet::kNext);
}

bool CJobPage::onNext() {
    sheet().setWizardButtons(0);
    showBusy(Text("IDS_STRING525"));
    auto started = std::make_shared<int>(0);
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this, [this, &document, started] { *started = document.WriteParameter(start_, 0); },
        [this, &document, started] {
            // The poll tells what the module made of it, so a failed start only informs.
            if (*started != 0)
                document.ui().message(start_.errorText, Text(facts_.errorCaptionKey), MessageIcon::Warning,
                                      MessageButtons::Ok);
            sheet().startJobPoll();
        });
    return false;
}

COffsetPage::COffsetPage() : CJobPage(kOffset) {}

CScalePage::CScalePage() : CJobPage(kScale) {}

}  // namespace vantor::gui
