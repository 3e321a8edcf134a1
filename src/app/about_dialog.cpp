#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/icons.h"
#include "elements/common_params.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

QString qtText(const std::string& text) { return QString::fromStdString(text); }

// The service parameters' names: one blank the version, two the legal notice.
constexpr const char kVersionParameter[] = " ";
constexpr const char kLegalNoticeParameter[] = "  ";

}  // namespace

AboutDialog::AboutDialog(const CommonParams& program, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtText(TextByKey("IDD_ABOUTBOX_CAPTION")));

    auto* picture = new QLabel;
    picture->setPixmap(programIcon().pixmap(48, 48));
    picture->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(qtText(TextByKey("IDD_ABOUTBOX_IDC_PRODUCT_NAME")));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* version =
        new QLabel(qtText(TextByKeyOrId("IDS_STRING151", 151) + " " + program.GetParameterText(kVersionParameter)));
    auto* notice = new QLabel(qtText(program.GetParameterText(kLegalNoticeParameter)));
    for (QLabel* line : {name, version, notice}) line->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* lines = new QVBoxLayout;
    lines->addWidget(name);
    lines->addWidget(version);
    lines->addWidget(notice);
    lines->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(lines, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(qtText(TextByKey("IDD_ABOUTBOX_IDOK")));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace vantor::gui
