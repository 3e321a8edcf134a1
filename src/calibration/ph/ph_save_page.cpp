#include "calibration/ph/ph_save_page.h"

#include <memory>

#include "calibration/framework/module_wait.h"
#include "calibration/ph/ph_sheet.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "params/number_text.h"
#include "params/parameter.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationPH {
namespace {

// Bits of "Rd.St".
constexpr std::uint32_t kCalibrationFailed = 0x08;

// The slope of a sound electrode pair, both ends included.
constexpr double kLowestSlope = 0.96;
constexpr double kHighestSlope = 1.1;

// What the module said after applying the points.
struct Applied {
    Parameter apply{"U.Apl"};             // its value after the write: the electrode slope
    std::optional<std::uint32_t> status;  // none when "Rd.St" could not be read
};

}  // namespace

CSavePHPage::CSavePHPage() : CSavePage("IDS_STRING558") {}

void CSavePHPage::onActivate() {
    CSavePage::onActivate();
    backText_ = sheet().buttonText(QWizard::BackButton);
}

void CSavePHPage::onLeave() { sheet().setButtonText(QWizard::BackButton, backText_); }

bool CSavePHPage::onFinish() {
    CSheetPH& sheet = phSheetOf(*this);
    CPlimoDoc& document = sheet.document();
    Parameter* status = sheet.stateParameter("Rd.St");
    auto applied = std::make_shared<Applied>();
    makeTemporaryParameter(applied->apply, "U.Apl", "float");

    sheet.setWizardButtons(0);
    sheet.link().post(
        this,
        [&document, status, applied] {
            document.WriteParameter(applied->apply, 0);
            if (status && document.ReadParameter(*status) == 0) applied->status = statusWord(status->valueText, 10);
        },
        [this, &sheet, &document, applied] {
            if (applied->status && (*applied->status & kCalibrationFailed)) {
                sheet.setButtonText(QWizard::BackButton, QString::fromStdString(Text("IDS_STRING559")));
                sheet.setWizardButtons(CmySheet::kBack);
                document.ui().message(Text("IDS_STRING560"), Text("IDS_STRING561"), MessageIcon::Warning,
                                      MessageButtons::Ok);
                return;
            }
            if (!sheet.redox()) judgeSlope(applied->apply.valueText);
            readCharacteristic();
        });
    return false;
}

void CSavePHPage::judgeSlope(const std::string& slopeText) const {
    UserInterface& ui = sheet().document().ui();
    const std::optional<double> slope = leadingNumber(slopeText);
    if (!slope) {
        ui.message(Text("IDS_STRING565"), Text("IDS_STRING566"), MessageIcon::Warning, MessageButtons::Ok);
    } else if (*slope >= kLowestSlope && *slope <= kHighestSlope) {
        ui.message(FormatTextArgs(Text("IDS_STRING562"), *slope), Text("IDS_STRING564"), MessageIcon::Information,
                   MessageButtons::Ok);
    } else {
        ui.message(FormatTextArgs(Text("IDS_STRING563"), *slope), Text("IDS_STRING564"), MessageIcon::Warning,
                   MessageButtons::Ok);
    }
}

// The new characteristic into the document, then the wizard closes.
void CSavePHPage::readCharacteristic() {
    CSheetPH& sheet = phSheetOf(*this);
    CPlimoDoc& document = sheet.document();
    Parameter* zeroPotential = sheet.rootParameter("E.Crd");
    Parameter* zeroPh = sheet.rootParameter("p.Crd");
    sheet.link().post(
        this,
        [&document, zeroPotential, zeroPh] {
            for (Parameter* characteristic : {zeroPotential, zeroPh})
                if (characteristic) document.ReadParameter(*characteristic);
        },
        [&sheet] { sheet.finish(); });
}

bool CSavePHPage::onBack() {
    sheet().activatePage(0);
    return false;
}

}  // namespace vantor::gui::CalibrationPH
