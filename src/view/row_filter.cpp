#include "view/row_filter.h"

#include "view/parameter_tree_model.h"

namespace vantor::gui {

RowFilter::RowFilter(QObject* parent) : QSortFilterProxyModel(parent) {
    setRecursiveFilteringEnabled(true);
    setDynamicSortFilter(true);
}

void RowFilter::setSourceModel(QAbstractItemModel* model) {
    QSortFilterProxyModel::setSourceModel(model);
    connect(model, &QAbstractItemModel::dataChanged, this, &RowFilter::refilterSoon);
}

void RowFilter::refilterSoon() {
    if (!active() || refilterPending_) return;
    refilterPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            refilterPending_ = false;
            invalidateFilter();
        },
        Qt::QueuedConnection);
}

void RowFilter::setText(const QString& text) {
    text_ = text.trimmed();
    invalidateFilter();
}

void RowFilter::setOnlyMarked(bool onlyMarked) {
    onlyMarked_ = onlyMarked;
    invalidateFilter();
}

bool RowFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (!active()) return true;
    const auto* model = qobject_cast<const ParameterTreeModel*>(sourceModel());
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    const RowNode* row = model ? model->node(index) : nullptr;
    if (!row || !row->parameter()) return false;  // branches show through the rows below them
    if (onlyMarked_ && model->rowColour(*row) == RowColour::kNormal) return false;
    if (text_.isEmpty()) return true;
    for (const int column : {ParameterTreeModel::Description, ParameterTreeModel::Name, ParameterTreeModel::Value})
        if (QString::fromStdString(model->cellText(*row, column)).contains(text_, Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace vantor::gui
