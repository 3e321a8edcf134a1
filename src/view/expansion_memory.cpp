#include "view/expansion_memory.h"

#include <QSignalBlocker>
#include <QSortFilterProxyModel>
#include <QTreeView>

namespace vantor::gui {

void ExpansionMemory::remember() {
    expanded_.clear();
    rememberBelow(QModelIndex());
}

void ExpansionMemory::rememberBelow(const QModelIndex& parent) {
    for (int row = 0; row < filter_.rowCount(parent); ++row) {
        const QModelIndex shown = filter_.index(row, 0, parent);
        if (!tree_.isExpanded(shown)) continue;
        expanded_.append(filter_.mapToSource(shown));
        rememberBelow(shown);
    }
}

void ExpansionMemory::restore() {
    const QSignalBlocker quiet(tree_);
    tree_.collapseAll();
    for (const QPersistentModelIndex& source : expanded_)
        if (source.isValid()) tree_.expand(filter_.mapFromSource(source));
    expanded_.clear();
}

}  // namespace vantor::gui
