#include "calibration/framework/save_page.h"

#include "calibration/framework/my_sheet.h"
#include "document/configuration_document.h"
#include "models/calibration_job.h"
#include "text/texts.h"

namespace vantor::gui {

CSavePage::CSavePage(const char* titleKey) : CalibrationPage(titleKey) {
    setEndsPath(true);
    makeTemporaryParameter(store_, kJobStore, "int", "0");
    makeTemporaryParameter(apply_, kJobApply, "int");
}

void CSavePage::onActivate() {
    setInstruction(Text("IDS_STRING666"));
    sheet().setWizardButtons(CmySheet::kFinish);
    sheet().setButtonText(QWizard::FinishButton, QString::fromStdString(Text("IDS_STRING667")));
}

bool CSavePage::onFinish() {
    sheet().setWizardButtons(0);
    auto stored = std::make_shared<int>(0);
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this, [this, &document, stored] { *stored = document.WriteParameter(store_, 0); },
        [this, &document, stored] {
            if (*stored != 0)
                document.ui().message(store_.errorText, Text("IDS_STRING668"), MessageIcon::Warning,
                                      MessageButtons::Ok);
            // Applied whatever the store answered; the module tells nothing back worth showing.
            sheet().link().post(
                this, [this, &document] { document.WriteParameter(apply_, 0); }, [this] { sheet().finish(); });
        });
    return false;
}

}  // namespace vantor::gui
