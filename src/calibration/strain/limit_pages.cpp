#include "calibration/strain/limit_pages.h"

#include <memory>

#include "calibration/strain/strain_sheet.h"
#include "document/configuration_document.h"
#include "models/strain_gauge_limits.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationTD {
namespace {

constexpr LimitPageFacts kLower{
    .titleKey = "IDS_STRING581",
    .instructionKey = "IDS_STRING582",
    .namesLowerLimit = true,
    .command = kStrainLowerLimit,
    .errorCaptionKey = "IDS_STRING583",
    .settles = true,
};
constexpr LimitPageFacts kUpper{
    .titleKey = "IDS_STRING584",
    .instructionKey = "IDS_STRING585",
    .namesLowerLimit = false,
    .command = kStrainUpperLimit,
    .errorCaptionKey = "IDS_STRING586",
    .settles = false,
};

}  // namespace

CLimitPage::CLimitPage(const LimitPageFacts& facts) : CalibrationPage(facts.titleKey), facts_(facts) {
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, [this] { sheet().pressNext(); });
}

void CLimitPage::onActivate() {
    if (!facts_.namesLowerLimit) {
        setInstruction(Text(facts_.instructionKey));
        return;
    }
    const std::optional<InputRange> range = sensitivityRange(sheetOf(*this).sensitivity());
    setInstruction(FormatText(Text(facts_.instructionKey), range ? range->lower : "<" + Text("IDS_NODATA") + ">"));
}

void CLimitPage::onLeave() {
    settle_.stop();
    sheet().setWizardButtons(CmySheet::kBack | CmySheet::kNext);
}

bool CLimitPage::onNext() {
    sheetOf(*this).prepareForChannel(command_, facts_.command, "void", {});
    sheet().setWizardButtons(0);
    auto written = std::make_shared<int>(-1);
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this, [this, &document, written] { *written = document.WriteParameter(command_, 0); },
        [this, &document, written] {
            // A reply that only cannot be decoded still means the module measured.
            if (*written != 0 && command_.errorText != Text("IDS_NODECODING_ANSWER")) {
                document.ui().message(command_.errorText, Text(facts_.errorCaptionKey), MessageIcon::Warning,
                                      MessageButtons::Ok);
                sheet().setWizardButtons(CmySheet::kBack | CmySheet::kNext);
                return;
            }
            if (facts_.settles)
                settle_.start(sheet().timing().settleMs);
            else
                sheet().pressNext();
        });
    return false;
}

CMinPage::CMinPage() : CLimitPage(kLower) {}

CMaxPage::CMaxPage() : CLimitPage(kUpper) {}

}  // namespace vantor::gui::CalibrationTD
