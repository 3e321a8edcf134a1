#pragma once
// The branches of the parameter tree the person had open before the filter opened all
// of them, so that clearing the filter shows the tree as it was. Kept by the rows of
// the filter's source model, which stay while the filter hides and shows them.

#include <QList>
#include <QPersistentModelIndex>

class QSortFilterProxyModel;
class QTreeView;

namespace vantor::gui {

class ExpansionMemory {
public:
    // `tree` shows `filter`; both outlive the memory.
    ExpansionMemory(QTreeView& tree, QSortFilterProxyModel& filter) : tree_(tree), filter_(filter) {}

    void remember();
    // Only the remembered branches open; their rows were read when they were opened,
    // so the tree's expansion signals stay quiet.
    void restore();

private:
    void rememberBelow(const QModelIndex& parent);

    QTreeView& tree_;
    QSortFilterProxyModel& filter_;
    QList<QPersistentModelIndex> expanded_;  // of the source model, parents first
};

}  // namespace vantor::gui
