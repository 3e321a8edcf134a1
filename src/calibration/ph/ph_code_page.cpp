#include "calibration/ph/ph_code_page.h"

#include <array>
#include <memory>

#include "calibration/ph/ph_sheet.h"
#include "document/configuration_document.h"
#include "params/parameter.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationPH {
namespace {

constexpr const char* kAccessCode = "947";

QString text(const char* key) { return QString::fromStdString(Text(key)); }

// One parameter the person is asked to confirm; its name stands in when the tree has none.
struct Verified {
    const char* name;
    Parameter* parameter;

    std::string description() const { return parameter ? parameter->description : name; }
    std::string value() const { return parameter ? parameter->valueText : Text("IDS_NODATA"); }
};

// What the reads before the question found.
struct Verification {
    int temperatureSource = -1;  // the value index of "tco.t"; -1 when it could not be read
    std::array<Verified, 3> shown{};
};

}  // namespace

CCodePage::CCodePage() : CCodeBasePage("IDS_STRING527") {
    methodRow().label->setText(text("IDS_STRING528"));
    methodRow().list->setObjectName("method");
    methodRow().list->addItems({text("IDS_STRING530"), text("IDS_STRING531")});
    methodRow().list->setCurrentIndex(-1);
    pointsRow().label->setText(text("IDS_STRING529"));
    pointsRow().list->setObjectName("points");
    pointsRow().list->addItems({text("IDS_STRING532"), text("IDS_STRING533")});
    pointsRow().list->setCurrentIndex(-1);
}

void CCodePage::onActivate() {
    if (nextText_.isNull()) nextText_ = sheet().buttonText(QWizard::NextButton);
    sheet().setButtonText(QWizard::NextButton, text("IDS_STRING535"));
    sheet().setWizardButtons(CmySheet::kNext);
}

void CCodePage::onLeave() {
    sheet().setButtonText(QWizard::NextButton, nextText_);
    CCodeBasePage::onLeave();
}

bool CCodePage::onNext() {
    if (!codeIs(kAccessCode)) {
        sheet().document().ui().message(Text("IDS_STRING534"), {}, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    if (!methodRow().shown()) {
        verifyParameters();
        return false;
    }
    const int method = methodRow().list->currentIndex();
    const int points = pointsRow().list->currentIndex();
    if (method < 0 || points < 0) return false;
    phSheetOf(*this).setMode(method * 2 + points);
    return true;
}

void CCodePage::verifyParameters() {
    CSheetPH& sheet = phSheetOf(*this);
    CPlimoDoc& document = sheet.document();
    Parameter* compensation = sheet.rootParameter("tco.t");
    const std::array<Verified, 2> temperature{
        {{"TSe.T", sheet.rootParameter("TSe.T")}, {"C.Tem", sheet.rootParameter("C.Tem")}}};
    const Verified zeroPotential{"E.Crd", sheet.rootParameter("E.Crd")};
    const Verified zeroPh{"p.Crd", sheet.rootParameter("p.Crd")};
    auto found = std::make_shared<Verification>();

    sheet.setWizardButtons(0);
    sheet.link().post(
        this,
        [&document, compensation, temperature, zeroPotential, zeroPh, found] {
            if (!compensation || document.ReadParameter(*compensation) != 0) return;
            const int source = compensation->EnumIndex(compensation->valueText);
            // Any other value leaves no temperature to check or to show.
            if (source != kMeasuredTemperature && source != kFixedTemperature) return;
            found->temperatureSource = source;
            found->shown = {temperature[static_cast<std::size_t>(source)], zeroPotential, zeroPh};
            for (const Verified& shown : found->shown) {
                if (!shown.parameter) continue;
                shown.parameter->valueText = Text("IDS_NODATA");
                document.ReadParameter(*shown.parameter);
            }
        },
        [this, &sheet, &document, found] {
            sheet.setWizardButtons(CmySheet::kNext);
            if (found->temperatureSource < 0) {
                document.ui().message(FormatText(Text("IDS_STRING569"), std::string("tco.t")), Text("IDS_STRING570"),
                                      MessageIcon::Warning, MessageButtons::Ok);
                return;
            }
            sheet.setTemperatureSource(static_cast<TemperatureSource>(found->temperatureSource));
            const auto& [first, second, third] = found->shown;
            const std::string question = FormatTextArgs(
                Text("IDS_STRING567"), first.description().c_str(), first.value().c_str(), second.description().c_str(),
                second.value().c_str(), third.description().c_str(), third.value().c_str());
            if (document.ui().message(question, Text("IDS_STRING568"), MessageIcon::Information,
                                      MessageButtons::YesNo) != MessageAnswer::Yes) {
                sheet.reject();
                return;
            }
            methodRow().setShown(true);
            methodRow().list->setCurrentIndex(0);
            pointsRow().setShown(true);
            pointsRow().list->setCurrentIndex(1);
        });
}

}  // namespace vantor::gui::CalibrationPH
