#include "calibration/framework/code_base_page.h"

#include <QFormLayout>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "calibration/framework/my_sheet.h"
#include "description/desc_branch.h"
#include "document/configuration_document.h"
#include "models/base_device.h"
#include "models/calibration_job.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor::gui {
namespace {

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }

}  // namespace

CCodeBasePage::CCodeBasePage(const char* titleKey) : CalibrationPage(titleKey), accessCode_(new QLineEdit) {
    accessCode_->setObjectName("accessCode");
    accessCode_->setAlignment(Qt::AlignRight);
    accessCode_->setMaximumWidth(accessCode_->fontMetrics().horizontalAdvance(QString(12, QChar('0'))));
    accessCode_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), accessCode_));
    auto* code = new QFormLayout;
    code->addRow(keyed("IDD_CODE_PAGE_IDC_STAT3"), accessCode_);
    body().addLayout(code);

    const char* labels[] = {"IDD_CODE_PAGE_IDC_STAT1", "IDD_CODE_PAGE_IDC_STAT2", "IDD_CODE_PAGE_IDC_STAT4"};
    const char* names[] = {"sensor", "method", "sensitivity"};
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i] = {new QLabel(keyed(labels[i])), new QComboBox};
        rows_[i].list->setObjectName(names[i]);
        rows_[i].label->setBuddy(rows_[i].list);
        body().addWidget(rows_[i].label);
        body().addWidget(rows_[i].list);
        rows_[i].setShown(false);
    }
}

CCodeBasePage::CCodeBasePage(CPlimoDoc& document) : CCodeBasePage("IDS_STRING654") {
    DescBranch* root = document.rootBranch();
    inputType_ = root ? root->FindParameters("in-t", nullptr, nullptr, nullptr, 0) : nullptr;
    const CBaseDevice* model = document.deviceModel();
    if (inputType_ && model)
        for (const std::string& sensor : calibratableSensors(*inputType_, model->model()))
            row(0).list->addItem(QString::fromStdString(sensor));
    row(0).list->setCurrentIndex(-1);
}

void CCodeBasePage::onActivate() {
    sheet().setButtonText(QWizard::NextButton, QString::fromStdString(Text("IDS_STRING658")));
    sheet().setWizardButtons(CmySheet::kNext);
}

void CCodeBasePage::onLeave() { sheet().setWizardButtons(CmySheet::kBack | CmySheet::kNext); }

bool CCodeBasePage::onNext() {
    CPlimoDoc& document = sheet().document();
    if (!codeIs(kJobAccessCode)) {
        document.ui().message(Text("IDS_STRING657"), {}, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
    if (!row(0).shown() || row(0).list->currentIndex() < 0) {
        row(0).setShown(true);
        return false;
    }
    writeSensor();
    return false;
}

// The chosen sensor goes to the module; the jobs follow once it took it. Refused, the
// page stays with the reason, for the person to try again.
void CCodeBasePage::writeSensor() {
    if (inputType_) inputType_->valueText = row(0).list->currentText().toStdString();
    const int buttons = sheet().wizardButtons();
    sheet().setWizardButtons(0);
    auto written = std::make_shared<int>(0);
    CPlimoDoc& document = sheet().document();
    sheet().link().post(
        this,
        [this, &document, written] {
            if (inputType_) *written = document.WriteParameter(*inputType_, 0);
        },
        [this, &document, written, buttons] {
            if (*written == 0) {
                sheet().pressNext();
                return;
            }
            sheet().setWizardButtons(buttons);
            document.ui().message(Text("IDS_STRING655") + "\r\n" + inputType_->errorText, Text("IDS_STRING656"),
                                  MessageIcon::Warning, MessageButtons::Ok);
        });
}

}  // namespace vantor::gui
