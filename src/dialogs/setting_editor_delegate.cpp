#include "dialogs/setting_editor_delegate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "dialogs/network_settings_model.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

// A value never read starts its editor from the module's own "no data" mark.
QString startingText(const QModelIndex& index) {
    const QString text = index.data(Qt::EditRole).toString();
    return text == QString::fromStdString(Text("IDS_NODATA")) ? QStringLiteral("Н/Д") : text;
}

}  // namespace

QWidget* SettingEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
    const QVariant choices = index.data(NetworkSettingsModel::ChoicesRole);
    if (!choices.isValid()) {
        auto* box = new QLineEdit(parent);
        box->setFont(option.font);
        box->setFrame(false);
        return box;
    }
    auto* list = new QComboBox(parent);
    const QStringList values = choices.toStringList();
    const QStringList labels = index.data(NetworkSettingsModel::ChoiceLabelsRole).toStringList();
    for (qsizetype i = 0; i < values.size(); ++i) list->addItem(i < labels.size() ? labels[i] : values[i], values[i]);
    list->setInsertPolicy(QComboBox::NoInsert);
    // The cell is narrow; the open list shows the adapters' names in full.
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 2 * list->view()->frameWidth());
    connect(list, &QComboBox::activated, this, &SettingEditorDelegate::commitAndClose);
    if (index.data(NetworkSettingsModel::FreeTextRole).toBool()) {
        // A field that takes typing (a port's path); the list opens on Alt+Down. No
        // completion: a typed path is not turned into the first listed one.
        list->setEditable(true);
        list->setCompleter(nullptr);
        return list;
    }
    // A closed list opens at once: the person came to choose.
    QTimer::singleShot(0, list, [list] {
        if (list->isVisible()) list->showPopup();
    });
    return list;
}

void SettingEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = startingText(index);
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        const int found = list->findData(text);
        list->setCurrentIndex(found);
        if (!list->isEditable()) return;
        if (found < 0) list->setEditText(text);
        list->lineEdit()->selectAll();  // typing replaces the text
        return;
    }
    auto* box = static_cast<QLineEdit*>(editor);
    box->setText(text);
    box->selectAll();
}

void SettingEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        // A typed text that is not the label of the current choice is taken as it is;
        // a list left without a choice changes nothing.
        const bool choiceShown =
            list->currentIndex() >= 0 && list->currentText() == list->itemText(list->currentIndex());
        const QString typed = list->currentText().trimmed();
        if (choiceShown)
            model->setData(index, list->currentData(), Qt::EditRole);
        else if (list->isEditable() && !typed.isEmpty())
            model->setData(index, typed, Qt::EditRole);
        return;
    }
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
}

void SettingEditorDelegate::commitAndClose() {
    auto* editor = qobject_cast<QWidget*>(sender());
    emit commitData(editor);
    emit closeEditor(editor);
}

}  // namespace vantor::gui
