#include "calibration/inductance/first_page.h"

#include "calibration/framework/my_sheet.h"
#include "calibration/inductance/user_pages.h"
#include "document/configuration_document.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationVI {
namespace {

constexpr const char* kAccessCode = "938";
enum Method { kFactory, kUser };
enum UserMethod { kTabular, kMeasured };

QString text(const char* key) { return QString::fromStdString(Text(key)); }

}  // namespace

CPage1VI::CPage1VI() : CCodeBasePage("IDS_STRING616") {
    methodRow().label->setText(text("IDS_STRING617"));
    methodRow().list->addItems({text("IDS_STRING618"), text("IDS_STRING619")});
    methodRow().list->setCurrentIndex(-1);
    // The two user methods come with the page as they are, untranslated.
    userMethodRow().list->addItems({QString::fromUtf8("табличная"), QString::fromUtf8("по показаниям датчика")});
    userMethodRow().list->setCurrentIndex(-1);
    connect(methodRow().list, &QComboBox::currentIndexChanged, this,
            [this](int method) { userMethodRow().setShown(method == kUser); });
}

void CPage1VI::onActivate() {
    sheet().setButtonText(QWizard::NextButton, text("IDS_STRING621"));
    sheet().setWizardButtons(CmySheet::kNext);
}

bool CPage1VI::onNext() {
    if (!codeIs(kAccessCode)) {
        sheet().document().ui().message(Text("IDS_STRING620"), {}, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    if (!methodRow().shown() || methodRow().list->currentIndex() < 0) {
        methodRow().setShown(true);
        methodRow().list->setFocus();
        return false;
    }
    if (methodRow().list->currentIndex() == kFactory) return true;
    switch (userMethodRow().list->currentIndex()) {
    case kTabular: sheet().activatePage<CUserTablePage>(); break;
    case kMeasured: sheet().activatePage<CUserMeasuringPage>(); break;
    default: userMethodRow().list->setFocus(); break;
    }
    return false;
}

}  // namespace vantor::gui::CalibrationVI
