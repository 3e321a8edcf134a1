#pragma once
// F2 and Enter in the parameter tree open the editor of the current row's value
// whatever column is current (rows are selected whole, and the current column is the
// description), so that a keyboard reaches every value. A current cell that has an
// editor of its own (a sampled row's period) keeps it; a row without an editable value
// leaves the keys to the tree.

#include <QObject>

class QTreeView;

namespace vantor::gui {

class ValueEditKeys : public QObject {
    Q_OBJECT
public:
    // Watches the keys of `tree`; `valueColumn` is the column edited by default.
    ValueEditKeys(QTreeView& tree, int valueColumn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeView& tree_;
    const int valueColumn_;
};

}  // namespace vantor::gui
