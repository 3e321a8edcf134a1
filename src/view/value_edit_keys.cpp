#include "view/value_edit_keys.h"

#include <QKeyEvent>
#include <QTreeView>

namespace vantor::gui {

namespace {

bool isEditKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) return false;
    return key.key() == Qt::Key_F2 || key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool editable(const QModelIndex& index) { return index.isValid() && (index.flags() & Qt::ItemIsEditable); }

}  // namespace

ValueEditKeys::ValueEditKeys(QTreeView& tree, int valueColumn)
    : QObject(&tree), tree_(tree), valueColumn_(valueColumn) {
    tree.installEventFilter(this);
}

bool ValueEditKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &tree_ || event->type() != QEvent::KeyPress) return false;
    // Enter that ends an edit reaches the tree from the editor, which has the focus.
    if (!tree_.hasFocus() || !isEditKey(static_cast<QKeyEvent&>(*event))) return false;
    const QModelIndex current = tree_.currentIndex();
    const QModelIndex target = editable(current) ? current : current.siblingAtColumn(valueColumn_);
    if (!editable(target)) return false;
    tree_.setCurrentIndex(target);
    tree_.edit(target);
    return true;
}

}  // namespace vantor::gui
