#include "dialogs/settings_table_view.h"

#include <QHeaderView>
#include <QKeyEvent>

#include "dialogs/network_settings_model.h"
#include "dialogs/setting_editor_delegate.h"

namespace vantor::gui {

SettingsTableView::SettingsTableView(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new SettingEditorDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);  // editing starts on a row, whichever cell was hit
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& index) { editValue(index.row()); });
}

void SettingsTableView::editValue(int row) {
    if (!model() || row < 0) return;
    const QModelIndex value = model()->index(row, NetworkSettingsModel::ValueColumn);
    setCurrentIndex(value);
    edit(value);
}

void SettingsTableView::keyPressEvent(QKeyEvent* event) {
    const bool editKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_F2;
    if (editKey && state() != EditingState && currentIndex().isValid()) {
        // Taken here, so that Enter does not press the dialog's default button.
        editValue(currentIndex().row());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void SettingsTableView::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    const int width = viewport()->width();
    setColumnWidth(NetworkSettingsModel::DescriptionColumn, width - width / 4);
    setColumnWidth(NetworkSettingsModel::ValueColumn, width / 4);
}

}  // namespace vantor::gui
