#pragma once
// The in-place editors of the parameter view: an edit box or a drop-down list of the
// type's choices, as the row's editing rules decide; the committed text goes back to
// the model, which checks it.

#include <QStyledItemDelegate>

namespace vantor::gui {

class ParameterTreeModel;

class ParameterDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ParameterDelegate(ParameterTreeModel& model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    ParameterTreeModel& model_;
};

}  // namespace vantor::gui
