#pragma once
// The in-place editors of the settings table: a drop-down list over the cell for a
// value chosen from choices (committed as soon as a choice is taken), an edit box with
// the text selected for a typed value (committed by Enter or leaving the box). Escape
// closes either without a change.

#include <QStyledItemDelegate>

namespace vantor::gui {

class SettingEditorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private slots:
    void commitAndClose();
};

}  // namespace vantor::gui
