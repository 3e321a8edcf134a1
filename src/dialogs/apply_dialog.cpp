#include "dialogs/apply_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "document/configuration_document.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

struct SettingLine {
    const char* labelKey;
    const char* name;  // in the module's network branch
};

// The settings APLY puts into effect, in the order they are shown.
constexpr SettingLine kSettingLines[] = {
    {"IDS_STRING187", "bPS"},  {"IDS_STRING188", "LEn"},   {"IDS_STRING189", "PrtY"},
    {"IDS_STRING190", "Sbit"}, {"IDS_STRING191", "A.Len"}, {"IDS_STRING192", "Addr"},
};
constexpr const char kDataBits[] = "LEn";

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }
QString message(const char* key) { return QString::fromStdString(Text(key)); }

// One "label: value" line per setting of the module's network branch, or why there are
// none to show.
QString settingsText(const CPlimoDoc& document) {
    const CBaseDevice* model = document.deviceModel();
    if (!model) return message("IDS_STRING320");
    const DescBranch* network = document.networkBranch();
    if (!network) return message("IDS_STRING287");
    QStringList lines;
    for (const SettingLine& line : kSettingLines) {
        if (line.name == std::string_view(kDataBits) && !model->HasDataBitsSetting()) continue;
        lines.append(message(line.labelKey) + ": " + QString::fromStdString(network->GetParameterText(line.name)));
    }
    return lines.join('\n');
}

}  // namespace

ApplyDialog::ApplyDialog(CPlimoDoc& document, QWidget* parent)
    : QDialog(parent),
      document_(document),
      settings_(new QLabel(settingsText(document))),
      changeProgram_(new QCheckBox(keyed("IDD_DIALOG_APLY_IDC_CHECK_CHANGEPRG"))),
      broadcast_(new QCheckBox(keyed("IDC_CHECK_BROADCASTIDD_DIALOG_APLY_"))) {
    setWindowTitle(keyed("IDD_DIALOG_APLY_CAPTION"));
    settings_->setObjectName("settings");
    settings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    changeProgram_->setObjectName("changeProgram");
    changeProgram_->setChecked(true);
    broadcast_->setObjectName("broadcast");

    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* attention = new QLabel(keyed("IDD_DIALOG_APLY_IDC_STATIC_1"));
    attention->setWordWrap(true);
    auto* warning = new QHBoxLayout;
    warning->addWidget(icon);
    warning->addWidget(attention, 1);

    auto* group = new QGroupBox(keyed("IDD_DIALOG_APLY_IDC_STATIC_2"));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(settings_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(keyed("IDD_DIALOG_APLY_IDOK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(keyed("IDD_DIALOG_APLY_IDCANCEL"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &ApplyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ApplyDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(warning);
    layout->addWidget(group);
    layout->addWidget(changeProgram_);
    layout->addWidget(broadcast_);
    layout->addWidget(buttons);
    // Wide enough for the warning to wrap into a few lines, not into a column.
    attention->setMinimumWidth(attention->fontMetrics().averageCharWidth() * 48);
}

bool ApplyDialog::changeProgramSettings() const { return changeProgram_->isChecked(); }

void ApplyDialog::accept() {
    CBaseDevice* model = document_.deviceModel();
    if (!model) {  // nothing known about the module to send APLY to
        QDialog::accept();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool taken = document_.SendApply(broadcast_->isChecked());
    QApplication::restoreOverrideCursor();
    if (!taken && model->ReportApplyError()) {
        document_.ui().message(model->GetApplyParameter().errorText, "", MessageIcon::Error, MessageButtons::Ok);
        return;
    }
    QDialog::accept();
}

}  // namespace vantor::gui
