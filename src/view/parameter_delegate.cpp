#include "view/parameter_delegate.h"

#include <QComboBox>
#include <QLineEdit>

#include "view/parameter_tree_model.h"

namespace vantor::gui {

ParameterDelegate::ParameterDelegate(ParameterTreeModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* ParameterDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    RowNode* row = model_.node(SourceIndex(index));
    if (!row) return nullptr;
    const ValueEditor kind = model_.editing().editorFor(*row, index.column());
    if (kind == ValueEditor::None) return nullptr;
    model_.editing().warnBeforeEdit(*row, index.column());
    if (kind == ValueEditor::DropDown) {
        auto* list = new QComboBox(parent);
        list->setEditable(false);
        const std::string current = index.data(Qt::EditRole).toString().toStdString();
        for (const std::string& choice : model_.editing().choices(*row, current))
            list->addItem(QString::fromStdString(choice));
        // Choosing an entry ends the edit, as Enter does (the signals are the delegate's
        // own, emitted from an editor it made).
        auto* self = const_cast<ParameterDelegate*>(this);
        connect(list, &QComboBox::activated, self, [self, list] {
            emit self->commitData(list);
            emit self->closeEditor(list);
        });
        return list;
    }
    auto* box = new QLineEdit(parent);
    box->setAlignment(index.column() == ParameterTreeModel::Description ? Qt::AlignLeft : Qt::AlignRight);
    return box;
}

void ParameterDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* list = qobject_cast<QComboBox*>(editor)) {
        list->setCurrentIndex(list->findText(text));
    } else if (auto* box = qobject_cast<QLineEdit*>(editor)) {
        box->setText(text);
        box->selectAll();
    }
}

void ParameterDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    if (auto* list = qobject_cast<QComboBox*>(editor))
        model->setData(index, list->currentText(), Qt::EditRole);
    else if (auto* box = qobject_cast<QLineEdit*>(editor))
        model->setData(index, box->text(), Qt::EditRole);
}

}  // namespace vantor::gui
