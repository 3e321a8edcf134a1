#include "calibration/strain/code_page.h"

#include <memory>

#include "calibration/strain/strain_sheet.h"
#include "calibration/strain/user_value_pages.h"
#include "document/configuration_document.h"
#include "models/strain_gauge_limits.h"
#include "params/type_names.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor::gui::CalibrationTD {
namespace {

QString text(const char* key) { return QString::fromStdString(Text(key)).replace("\r\n", "\n"); }

// A sensitivity with the input range it gives; past the known ranges, the no-data form.
QString sensitivityEntry(const std::string& sensitivity, int index) {
    const std::optional<InputRange> range = sensitivityRange(index);
    const std::string shown =
        range ? FormatTextArgs(Text("IDS_STRING576"), range->lower, range->upper) : " <" + Text("IDS_NODATA") + ">";
    return QString::fromStdString(sensitivity + shown);
}

}  // namespace

CPage1VI::CPage1VI(const std::map<int, Parameter*>& sensitivities)
    : CCodeBasePage("IDS_STRING571"), channelCount_(static_cast<int>(sensitivities.size())) {
    for (int channel = 1; channel <= channelCount_; ++channel)
        channelRow().list->addItem(QString::fromStdString(FormatText(Text("IDS_STRING572"), channel)));
    channelRow().label->setText(text("IDS_STRING577"));

    methodRow().label->setText(text("IDS_STRING573"));
    methodRow().list->addItems({text("IDS_STRING574"), text("IDS_STRING575")});

    if (!sensitivities.empty()) {
        const auto choices = typeElements(sensitivities.begin()->second->type);
        for (std::size_t i = 0; i < choices.size(); ++i)
            sensitivityRow().list->addItem(sensitivityEntry(choices[i], static_cast<int>(i)));
    }
    for (const ChoiceRow* choice : {&channelRow(), &methodRow(), &sensitivityRow()}) choice->list->setCurrentIndex(-1);

    connect(methodRow().list, &QComboBox::currentIndexChanged, this, &CPage1VI::showRowsOfMethod);
    connect(sensitivityRow().list, &QComboBox::currentIndexChanged, this,
            [this](int index) { sheetOf(*this).setSensitivity(index); });
}

void CPage1VI::onActivate() {
    sheet().setButtonText(QWizard::NextButton, text("IDS_STRING580"));
    sheet().setWizardButtons(CmySheet::kNext);
}

void CPage1VI::onLeave() { sheet().setWizardButtons(CmySheet::kBack | CmySheet::kNext); }

void CPage1VI::showRowsOfMethod() {
    const int method = methodRow().list->currentIndex();
    sensitivityRow().setShown(method == kFactory);
    if (channelCount_ >= 2 && method >= 0) channelRow().setShown(true);
}

bool CPage1VI::onNext() {
    CSheetTD& strain = sheetOf(*this);
    if (!codeIs(kStrainAccessCode)) {
        strain.document().ui().message(Text("IDS_STRING579"), {}, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    const bool noChannel = channelRow().shown() && channelRow().list->currentIndex() < 0;
    if (methodRow().list->currentIndex() < 0 || noChannel) {
        // A method already chosen stays; without one the person is offered "user".
        if (methodRow().list->currentIndex() < 0) methodRow().list->setCurrentIndex(kUser);
        methodRow().setShown(true);
        return false;
    }
    strain.setChannel(channelRow().shown() ? channelRow().list->currentIndex() : 0);
    if (methodRow().list->currentIndex() == kUser) {
        strain.activatePage<CUserMinPage>();
        return false;
    }
    if (strain.sensitivity() < 0) return false;
    if (Parameter* sensitivity = strain.channelSensitivity()) writeSensitivity(*sensitivity);
    return false;
}

// The chosen sensitivity goes to the channel's "Sens"; only once the module took it
// does the measuring start.
void CPage1VI::writeSensitivity(Parameter& sensitivity) {
    CSheetTD& strain = sheetOf(*this);
    sensitivity.valueText = sensitivity.EnumText(strain.sensitivity());
    strain.setWizardButtons(0);
    auto written = std::make_shared<int>(-1);
    CPlimoDoc& document = strain.document();
    strain.link().post(
        this, [&document, &sensitivity, written] { *written = document.WriteParameter(sensitivity, 0); },
        [&strain, &document, &sensitivity, written] {
            if (*written == 0) {
                strain.pressNext();
                return;
            }
            document.ui().message(sensitivity.errorText, Text("IDS_STRING578"), MessageIcon::Warning,
                                  MessageButtons::Ok);
            strain.setWizardButtons(CmySheet::kNext);
        });
}

}  // namespace vantor::gui::CalibrationTD
