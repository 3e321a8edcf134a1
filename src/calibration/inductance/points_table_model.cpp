#include "calibration/inductance/points_table_model.h"

#include <QColor>

#include "params/parameter.h"

namespace vantor::gui::myClass {
namespace {

const QColor kDisabledText(170, 170, 170);

std::shared_ptr<Parameter> floatParameter(const char* name, const char* valueText) {
    auto parameter = std::make_shared<Parameter>(name);
    parameter->type = "float";
    parameter->valueText = valueText;
    return parameter;
}

}  // namespace

PointsTableModel::PointsTableModel(const QStringList& headers, const QString& buttonText, QObject* parent)
    : QAbstractTableModel(parent), headers_(headers), cells_(kRows) {
    for (int row = 0; row < kRows; ++row) {
        auto inductance = floatParameter("uU.Pn", "0.000");
        inductance->indexed = 1;
        inductance->dataIndex = row;
        std::vector<PointsCell>& cells = cells_[static_cast<std::size_t>(row)];
        cells.push_back({nullptr, QString::number(row + 1)});
        cells.push_back({std::move(inductance), {}, true});
        cells.push_back({floatParameter("FV", "0.000"), {}, true});
        if (headers_.size() > kMeasuringColumn) cells.push_back({floatParameter("Rd.fH", ""), buttonText, false, true});
    }
}

PointsTableModel::~PointsTableModel() = default;

int PointsTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kRows; }

int PointsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

const PointsCell& PointsTableModel::cell(const QModelIndex& index) const {
    return cells_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
}

QVariant PointsTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const PointsCell& shown = cell(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (shown.parameter && !shown.button) return QString::fromStdString(shown.parameter->valueText);
        return shown.text;
    case Qt::ForegroundRole:
        if (!rowEnabled(index.row())) return kDisabledText;
        return {};
    case Qt::TextAlignmentRole:
        if (index.column() == kNumberColumn) return QVariant::fromValue(Qt::AlignCenter);
        return {};
    default: return {};
    }
}

bool PointsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    if (!cell(index).parameter->SetValue(value.toString().toStdString())) return false;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags PointsTableModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || !rowEnabled(index.row())) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (cell(index).editable) flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant PointsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers_.size())
        return {};
    return headers_[section];
}

void PointsTableModel::setEnabledRows(int count) {
    enabledRows_ = count;
    emit dataChanged(index(0, 0), index(kRows - 1, columnCount() - 1));
}

bool PointsTableModel::isButton(const QModelIndex& index) const {
    return checkIndex(index, CheckIndexOption::IndexIsValid) && cell(index).button;
}

Parameter& PointsTableModel::inductance(int row) const {
    return *cells_[static_cast<std::size_t>(row)][kInductanceColumn].parameter;
}

Parameter& PointsTableModel::physicalValue(int row) const {
    return *cells_[static_cast<std::size_t>(row)][kPhysicalValueColumn].parameter;
}

std::shared_ptr<Parameter> PointsTableModel::reading(int row) const {
    const std::vector<PointsCell>& cells = cells_[static_cast<std::size_t>(row)];
    return cells.size() > kMeasuringColumn ? cells[kMeasuringColumn].parameter : nullptr;
}

bool PointsTableModel::setMeasuredInductance(int row, const std::string& text) {
    if (!inductance(row).SetValue(text, true)) return false;
    const QModelIndex changed = index(row, kInductanceColumn);
    emit dataChanged(changed, changed);
    return true;
}

}  // namespace vantor::gui::myClass
