#include "dialogs/network_settings_model.h"

#include "elements/object_with_parameters.h"
#include "params/type_names.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

QString shown(const std::string& text) { return QString::fromStdString(text); }

// The types typed into a box; every other type is a list of choices.
bool typedIn(const std::string& type) {
    switch (classifyType(type)) {
    case TypeKind::Float:
    case TypeKind::StoredDot:
    case TypeKind::Int:
    case TypeKind::Int16:
    case TypeKind::Clock: return true;
    default: return false;
    }
}

// The elements of the type up to the first empty one.
QStringList choicesOf(const std::string& type) {
    QStringList choices;
    for (const std::string& element : typeElements(type)) {
        if (element.empty()) break;
        choices.append(shown(element));
    }
    return choices;
}

}  // namespace

NetworkSettingsModel::NetworkSettingsModel(ObjectWithParameters& settings, QObject* parent)
    : QAbstractTableModel(parent) {
    const std::string portDescription = Text("IDS_STRING209");
    for (const auto& parameter : settings.parameters()) {
        if (parameter->description == portDescription) portRow_ = static_cast<int>(parameters_.size());
        parameters_.push_back(parameter.get());
        descriptions_.push_back(shown(parameter->description));
        values_.push_back(shown(parameter->valueText));
    }
}

int NetworkSettingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(parameters_.size());
}

int NetworkSettingsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant NetworkSettingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const bool value = index.column() == ValueColumn;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return value ? values_[row] : descriptions_[row];
    case Qt::ToolTipRole: return value ? values_[row] : descriptions_[row];
    case ChoicesRole:
    case ChoiceLabelsRole:
        if (!value) return {};
        if (index.row() == portRow_) return portChoices(role == ChoiceLabelsRole);
        if (typedIn(parameters_[row]->type)) return {};
        return choicesOf(parameters_[row]->type);
    case FreeTextRole: return value && index.row() == portRow_;
    default: return {};
    }
}

QVariant NetworkSettingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::TextAlignmentRole) return Qt::AlignCenter;
    if (role != Qt::DisplayRole) return {};
    return shown(Text(section == DescriptionColumn ? "IDS_STRING210" : "IDS_STRING211"));
}

Qt::ItemFlags NetworkSettingsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == ValueColumn && parameters_[static_cast<std::size_t>(index.row())]->userEditable)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool NetworkSettingsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const auto row = static_cast<std::size_t>(index.row());
    const bool accepted = parameters_[row]->SetValue(value.toString().toStdString());
    values_[row] = shown(parameters_[row]->valueText);
    emit dataChanged(index, index);
    return accepted;
}

void NetworkSettingsModel::refresh() {
    for (std::size_t row = 0; row < parameters_.size(); ++row) values_[row] = shown(parameters_[row]->valueText);
    if (!parameters_.empty()) emit dataChanged(index(0, ValueColumn), index(rowCount() - 1, ValueColumn));
}

void NetworkSettingsModel::showValue(const QString& name, const QString& text) {
    for (std::size_t row = 0; row < parameters_.size(); ++row) {
        if (!equalsIgnoringCase(parameters_[row]->name, name.toStdString())) continue;
        values_[row] = text;
        const QModelIndex cell = index(static_cast<int>(row), ValueColumn);
        emit dataChanged(cell, cell);
    }
}

void NetworkSettingsModel::resetToFactorySettings() {
    for (Parameter* parameter : parameters_)
        if (!equalsIgnoringCase(parameter->name, "port")) parameter->valueText = parameter->configurationValue;
    refresh();
}

void NetworkSettingsModel::setPorts(const QList<SerialPortEntry>& ports) {
    ports_ = ports;
    if (portRow_ < 0) return;
    QStringList paths = portChoices(false);
    parameters_[static_cast<std::size_t>(portRow_)]->type = paths.join(':').toStdString();
}

QStringList NetworkSettingsModel::portChoices(bool labels) const {
    QStringList choices;
    for (const SerialPortEntry& port : ports_) choices.append(labels ? port.label : port.path);
    return choices;
}

}  // namespace vantor::gui
