#include "calibration/framework/calibration_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "calibration/framework/my_sheet.h"
#include "dialogs/progress_indicator.h"
#include "text/texts.h"

namespace vantor::gui {
namespace {

constexpr int kBusyPeriodMs = 21;

QString shown(const std::string& text) { return QString::fromStdString(text).replace("\r\n", "\n"); }

}  // namespace

CalibrationPage::CalibrationPage(const char* titleKey, QWidget* parent)
    : QWizardPage(parent),
      instruction_(new QLabel),
      body_(new QVBoxLayout),
      busyIndicator_(new ProgressIndicator(ProgressIndicator::Look::Marquee)),
      busyText_(new QLabel) {
    setTitle(QString::fromStdString(Text(titleKey)));
    instruction_->setObjectName("instruction");
    instruction_->setWordWrap(true);
    instruction_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    instruction_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    instruction_->hide();

    auto* busy = new QHBoxLayout;
    busyText_->setObjectName("busyText");
    busy->addWidget(busyText_);
    busy->addWidget(busyIndicator_, 1);
    busyIndicator_->hide();
    busyText_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction_);
    layout->addLayout(body_);
    layout->addStretch(1);
    layout->addLayout(busy);
}

CmySheet& CalibrationPage::sheet() const { return *static_cast<CmySheet*>(wizard()); }

void CalibrationPage::setInstruction(const std::string& text) {
    instructionText_ = text;
    instruction_->setText(shown(text));
    instruction_->show();
}

void CalibrationPage::showBusy(const std::string& text) {
    busyText_->setText(shown(text));
    busyText_->show();
    busyIndicator_->show();
    busyIndicator_->start(kBusyPeriodMs);
}

void CalibrationPage::hideBusy() {
    busyIndicator_->stop();
    busyIndicator_->hide();
    busyText_->hide();
}

bool CalibrationPage::busyShown() const { return busyIndicator_->running(); }

bool CalibrationPage::validatePage() { return onNext(); }

int CalibrationPage::nextId() const { return endsPath_ ? -1 : QWizardPage::nextId(); }

}  // namespace vantor::gui
