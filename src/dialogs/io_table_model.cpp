#include "dialogs/io_table_model.h"

#include <QColor>

namespace vantor::gui {
namespace {

const QColor kPolledRowText(0, 180, 0);

}  // namespace

IoTableModel::IoTableModel(IoTable table, QObject* parent) : QAbstractTableModel(parent), table_(std::move(table)) {}

const IoCell* IoTableModel::cell(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= rowCount()) return nullptr;
    const auto& row = table_.rows[static_cast<std::size_t>(index.row())];
    return index.column() < static_cast<int>(row.size()) ? &row[static_cast<std::size_t>(index.column())] : nullptr;
}

Parameter* IoTableModel::parameterAt(const QModelIndex& index) const {
    const IoCell* found = cell(index);
    return found ? found->parameter : nullptr;
}

bool IoTableModel::isButton(const QModelIndex& index) const {
    const IoCell* found = cell(index);
    return found && found->button;
}

void IoTableModel::setCellText(int row, int column, const QString& text) {
    const QModelIndex at = index(row, column);
    if (!cell(at)) return;
    table_.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].text = text.toStdString();
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void IoTableModel::setPolledRow(int row) {
    if (row == polledRow_) return;
    const int previous = polledRow_;
    polledRow_ = row;
    for (const int changed : {previous, row})
        if (changed >= 0 && changed < rowCount())
            emit dataChanged(index(changed, 0), index(changed, columnCount() - 1), {Qt::ForegroundRole});
}

int IoTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int IoTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

QVariant IoTableModel::data(const QModelIndex& index, int role) const {
    const IoCell* found = cell(index);
    if (!found) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QString::fromStdString(found->text);
    case Qt::TextAlignmentRole: return Qt::AlignCenter;
    case Qt::ForegroundRole: return index.row() == polledRow_ ? QVariant(kPolledRowText) : QVariant();
    case Qt::ToolTipRole: return QString::fromStdString(found->text);
    default: return {};
    }
}

QVariant IoTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(table_.columns[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags IoTableModel::flags(const QModelIndex& index) const {
    const IoCell* found = cell(index);
    if (!found) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!found->readOnly && !found->button) flags |= Qt::ItemIsEditable;
    return flags;
}

bool IoTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    emit edited(index.row(), index.column(), value.toString());
    return true;
}

}  // namespace vantor::gui
