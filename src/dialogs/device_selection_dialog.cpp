#include "dialogs/device_selection_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "description/catalogue.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

constexpr int kRowHeight = 18;

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }

}  // namespace

DeviceSelectionDialog::DeviceSelectionDialog(int currentModel, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget) {
    setWindowTitle(keyed("IDD_SELECT_DEVICE_CAPTION"));
    for (int index = 0; index < kModelCount; ++index)
        modelsByName_[QString::fromStdString(modelDisplayName(index))] = index;

    list_->setColumnCount(1);
    list_->setHeaderLabels({QString::fromStdString(Text("IDS_STRING202"))});
    list_->header()->setDefaultAlignment(Qt::AlignCenter);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setMinimumSize(220, 300);

    const QString current = QString::fromStdString(modelDisplayName(currentModel));
    std::vector<std::string> offered;
    CBrandLumeko().FillDeviceList(offered);
    for (const std::string& name : offered) {
        auto* row = new QTreeWidgetItem(list_, {QString::fromStdString(name)});
        row->setSizeHint(0, QSize(0, std::max(kRowHeight, list_->fontMetrics().height() + 4)));
        if (!current.isEmpty() && row->text(0) == current) list_->setCurrentItem(row);
    }

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(keyed("IDD_SELECT_DEVICE_IDOK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(keyed("IDD_SELECT_DEVICE_IDCANCEL"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &DeviceSelectionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DeviceSelectionDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &DeviceSelectionDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void DeviceSelectionDialog::accept() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    const auto found = selected.isEmpty() ? modelsByName_.end() : modelsByName_.find(selected.front()->text(0));
    if (found == modelsByName_.end()) {
        QMessageBox::information(this, QString::fromStdString(Text("AFX_IDS_APP_TITLE")),
                                 QString::fromStdString(Text("IDS_STRING201")));
        return;
    }
    selectedModel_ = found->second;
    QDialog::accept();
}

}  // namespace vantor::gui
