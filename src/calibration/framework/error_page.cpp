#include "calibration/framework/error_page.h"

#include "calibration/framework/my_sheet.h"
#include "text/texts.h"

namespace vantor::gui {

CErrorPage::CErrorPage() : CalibrationPage("IDS_STRING669") { setEndsPath(true); }

void CErrorPage::onActivate() {
    sheet().setWizardButtons(CmySheet::kFinish);
    sheet().setButtonText(QWizard::FinishButton, QString::fromStdString(Text("IDS_STRING670")));
    sheet().setButtonText(QWizard::CancelButton, QString::fromStdString(Text("IDS_STRING671")));
    if (!errorText_.empty()) errorText_ += "\r\n\r\n";
    errorText_ += Text("IDS_STRING672");
    setInstruction(errorText_);
}

void CErrorPage::onLeave() {
    sheet().setButtonText(QWizard::CancelButton, QString::fromStdString(Text("IDS_STRING673")));
}

bool CErrorPage::onFinish() {
    sheet().activatePage(0);
    return false;
}

}  // namespace vantor::gui
