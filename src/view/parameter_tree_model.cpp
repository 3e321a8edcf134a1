#include "view/parameter_tree_model.h"

#include <QAbstractProxyModel>
#include <QColor>
#include <QFont>

#include "document/configuration_document.h"
#include "models/device_models.h"
#include "platform/string_utils.h"
#include "text/texts.h"
#include "view/row_icons.h"

namespace vantor::gui {
namespace {

constexpr int kRootImage = 25;
constexpr int kPlaceholderImage = 1;

// Builds nodes from the rows the tree inserts; row ids are positions in `nodes`.
class NodeSink : public RowSink {
public:
    explicit NodeSink(RowNode& top) { nodes_.push_back(&top); }
    RowId addRow(RowId parent, const RowEntry& row) override {
        auto node = std::make_unique<RowNode>();
        node->entry = row;
        nodes_.push_back(nodeOf(parent)->addChild(std::move(node)));
        return static_cast<RowId>(nodes_.size()) - 1;
    }
    RowNode* nodeOf(RowId id) const { return nodes_[id == kTopRow ? 0 : static_cast<std::size_t>(id)]; }

private:
    std::vector<RowNode*> nodes_;
};

std::unique_ptr<RowNode> FixedRow(RowRole role, const std::string& text, int image) {
    auto node = std::make_unique<RowNode>();
    node->role = role;
    node->entry.text = text;
    node->entry.image = node->entry.selectedImage = image;
    return node;
}

QColor ToQColor(std::uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

bool IsExchangeError(const Parameter& parameter) {
    static const std::string notInitialized = Text("IDS_NODATAMSG");
    return parameter.RowColour() == RowColour::kError && parameter.errorText != notInitialized;
}

template <class Visit>
void ForEachNode(RowNode& node, Visit&& visit) {
    visit(node);
    for (auto& child : node.children) ForEachNode(*child, visit);
}

// The scanners branch's rows: flagged, the sampled ones with their period, and the
// column titles as the first child.
void PrepareScannersRows(RowNode& scanners) {
    ForEachNode(scanners, [](RowNode& node) {
        node.inScanners = true;
        const Parameter* parameter = node.parameter();
        node.sampledParameter = parameter && parameter->SamplingPrepared();
        if (node.sampledParameter) node.sampled.period = parameter->SamplingPeriodText();
    });
    auto header = FixedRow(RowRole::Header, Text("IDS_STRING260"), -1);
    header->parent = &scanners;
    header->inScanners = true;
    scanners.children.insert(scanners.children.begin(), std::move(header));
    for (std::size_t i = 0; i < scanners.children.size(); ++i) scanners.children[i]->row = static_cast<int>(i);
}

}  // namespace

ParameterTreeModel::ParameterTreeModel(CPlimoDoc& document, UserInterface& ui, LinkJobs& jobs, QObject* parent)
    : QAbstractItemModel(parent), document_(document), ui_(ui), editing_(document, ui, jobs) {
    editing_.parameterChanged = [this](const Parameter& parameter) {
        if (const RowNode* row = rowOf(&parameter)) rowChanged(*row);
    };
}

ParameterTreeModel::~ParameterTreeModel() = default;

void ParameterTreeModel::fill() {
    beginResetModel();
    root_ = std::make_unique<RowNode>();
    deviceBranch_ = scanners_ = nullptr;
    parameterRows_.clear();
    RowNode* configuration = root_->addChild(FixedRow(RowRole::Root, Text("IDS_STRING212"), kRootImage));
    NodeSink sink(*configuration);
    const ViewInsertion insertion{sink, showIndexes(), ModelStatusRowLabels(document_.deviceModel())};
    if (DescBranch* tree = document_.rootBranch()) {
        deviceBranch_ = sink.nodeOf(tree->InsertIntoView(insertion, kTopRow));
    } else {
        auto placeholder = FixedRow(RowRole::Placeholder, Text("IDS_STRING693"), kPlaceholderImage);
        placeholder->entry.value = Text("IDS_STRING694");
        deviceBranch_ = configuration->addChild(std::move(placeholder));
    }
    if (DescBranch* sampled = document_.scannersBranch(); sampled && document_.deviceModel()) {
        scanners_ = sink.nodeOf(sampled->InsertIntoView(insertion, kTopRow));
        PrepareScannersRows(*scanners_);
    }
    ForEachNode(*root_, [this](RowNode& node) {
        if (const Parameter* parameter = node.parameter()) parameterRows_.emplace(parameter, &node);
    });
    markErrorsBelow(*root_);
    endResetModel();
}

void ParameterTreeModel::clear() {
    beginResetModel();
    root_.reset();
    deviceBranch_ = scanners_ = nullptr;
    parameterRows_.clear();
    endResetModel();
}

void ParameterTreeModel::refresh() {
    if (!root_) return;
    markErrorsBelow(*root_);
    ForEachNode(*root_, [this](RowNode& node) {
        if (!node.children.empty())
            emit dataChanged(indexOf(node.children.front().get()),
                             indexOf(node.children.back().get(), ColumnCount - 1));
    });
}

void ParameterTreeModel::rowChanged(const RowNode& node) {
    emitChanged(node);
    // The branch rows above may change colour.
    if (!root_) return;
    markErrorsBelow(*root_);
    for (const RowNode* above = node.parent; above && above != root_.get(); above = above->parent) emitChanged(*above);
}

void ParameterTreeModel::emitChanged(const RowNode& node) {
    emit dataChanged(indexOf(&node), indexOf(&node, ColumnCount - 1));
}

bool ParameterTreeModel::markErrorsBelow(RowNode& node) {
    bool below = false;
    for (auto& child : node.children) {
        const Parameter* parameter = child->parameter();
        const bool own = parameter && !child->sampledParameter && IsExchangeError(*parameter);
        below = markErrorsBelow(*child) || own || below;
    }
    node.errorBelow = below;
    return below;
}

bool ParameterTreeModel::showIndexes() const { return ui_.option(OptionSwitch::ShowIndexes); }

RowNode* ParameterTreeModel::node(const QModelIndex& index) const {
    return index.isValid() ? static_cast<RowNode*>(index.internalPointer()) : root_.get();
}

QModelIndex ParameterTreeModel::indexOf(const RowNode* node, int column) const {
    if (!node || node == root_.get()) return {};
    return createIndex(node->row, column, const_cast<RowNode*>(node));
}

RowNode* ParameterTreeModel::rowOf(const Parameter* parameter) const {
    const auto found = parameterRows_.find(parameter);
    return found == parameterRows_.end() ? nullptr : found->second;
}

QModelIndex ParameterTreeModel::index(int row, int column, const QModelIndex& parent) const {
    const RowNode* above = node(parent);
    if (!above || row < 0 || row >= static_cast<int>(above->children.size()) || column < 0 || column >= ColumnCount)
        return {};
    return createIndex(row, column, above->children[static_cast<std::size_t>(row)].get());
}

QModelIndex ParameterTreeModel::parent(const QModelIndex& child) const {
    const RowNode* below = child.isValid() ? node(child) : nullptr;
    return below ? indexOf(below->parent) : QModelIndex();
}

int ParameterTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const RowNode* above = node(parent);
    return above ? static_cast<int>(above->children.size()) : 0;
}

int ParameterTreeModel::columnCount(const QModelIndex&) const { return ColumnCount; }

std::string ParameterTreeModel::cellText(const RowNode& row, int column) const {
    const RowEntry& entry = row.entry;
    switch (row.role) {
    case RowRole::Root: return column == Description ? entry.text : std::string();
    case RowRole::Placeholder: return column == Description ? entry.text : column == Value ? entry.value : "";
    case RowRole::Header: {
        static const char* const kTitles[] = {"IDS_STRING260", "IDS_STRING261", "IDS_STRING211", nullptr,
                                              "IDS_STRING217"};
        return kTitles[column] ? Text(kTitles[column]) : std::string();
    }
    case RowRole::Tree: break;
    }
    if (const Parameter* parameter = row.parameter()) {
        if (row.sampledParameter) {
            switch (column) {
            case Description: return showIndexes() ? parameter->SampledDescription() : parameter->description;
            case Name: return row.sampled.period;
            case Value: return row.sampled.value;
            case Error: return row.sampled.error;
            default: return {};
            }
        }
        const ParameterRow cells = parameter->Row(showIndexes());
        switch (column) {
        case Description: return parameter->description;
        case Name: return cells.name;
        case Value: return cells.value;
        case User: return cells.owner;
        default: return cells.error;
        }
    }
    if (ObjectWithParameters* element = row.element()) {
        if (column == Description) return entry.text;
        if (column != Name || !showIndexes()) return {};
        SilentUserInterface quiet;  // a mixed numbering was reported when the tree was built
        const int number = element->GetElementNumber(quiet);
        return number < 0 ? std::string() : "(" + std::to_string(number) + ")";
    }
    if (column == Description) return entry.text;
    if (column != Value) return {};
    if (row.sampled.received) return row.sampled.value;
    if (entry.kind == RowKind::Decoding && entry.parameter && equalsIgnoringCase(entry.parameter->name, "CodP"))
        return entry.parameter->CodeRows().children[static_cast<std::size_t>(entry.decodingRow)];
    return entry.value;
}

std::uint32_t ParameterTreeModel::rowColour(const RowNode& row) const {
    if (row.sampledParameter) return row.sampled.error.empty() ? RowColour::kNormal : RowColour::kError;
    if (const Parameter* parameter = row.parameter()) return parameter->RowColour();
    if (row.element()) return row.errorBelow ? RowColour::kError : RowColour::kNormal;
    return RowColour::kNormal;
}

QVariant ParameterTreeModel::data(const QModelIndex& index, int role) const {
    const RowNode* row = index.isValid() ? node(index) : nullptr;
    if (!row) return {};
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return QString::fromStdString(cellText(*row, column));
    case Qt::ToolTipRole: {
        const std::string text = cellText(*row, column);
        return text.empty() ? QVariant() : QVariant(QString::fromStdString(text));
    }
    case Qt::ForegroundRole: return ToQColor(rowColour(*row));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((column == Description || column == Error ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    case Qt::FontRole:
        if (row->role != RowRole::Header) return {};
        {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
    case Qt::DecorationRole:
        if (column != Description || row->role == RowRole::Header || row->sampledParameter) return {};
        return RowIcon(row->entry.image);
    case Qt::CheckStateRole: {
        const Parameter* parameter = row->parameter();
        if (column != Description || !row->sampledParameter || equalsIgnoringCase(parameter->name, "r.oe.s")) return {};
        return parameter->SamplingOn() ? Qt::Checked : Qt::Unchecked;
    }
    default: return {};
    }
}

bool ParameterTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    RowNode* row = index.isValid() ? node(index) : nullptr;
    if (!row) return false;
    if (role == Qt::CheckStateRole) {
        Parameter* parameter = row->parameter();
        if (!row->sampledParameter || !parameter) return false;
        if (value.value<Qt::CheckState>() == Qt::Checked)
            parameter->StartSampling();
        else
            parameter->StopSampling();
        emitChanged(*row);
        return true;
    }
    if (role != Qt::EditRole) return false;
    const std::string oldText = cellText(*row, index.column());
    if (!editing_.commit(*row, index.column(), oldText, value.toString().toStdString())) return false;
    rowChanged(*row);
    return true;
}

Qt::ItemFlags ParameterTreeModel::flags(const QModelIndex& index) const {
    const RowNode* row = index.isValid() ? node(index) : nullptr;
    if (!row) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editing_.editorFor(*row, index.column()) != ValueEditor::None) flags |= Qt::ItemIsEditable;
    if (index.column() == Description && data(index, Qt::CheckStateRole).isValid()) flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant ParameterTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) return {};
    static const char* const kTitles[] = {"IDS_STRING213", "IDS_STRING214", "IDS_STRING211", "IDS_STRING216",
                                          "IDS_STRING217"};
    if (role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromStdString(Text(kTitles[section]));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue((section == Description || section == Error ? Qt::AlignLeft : Qt::AlignRight) |
                                   Qt::AlignVCenter);
    return {};
}

}  // namespace vantor::gui

namespace vantor::gui {

QModelIndex SourceIndex(const QModelIndex& index) {
    QModelIndex source = index;
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(source.model()))
        source = proxy->mapToSource(source);
    return source;
}

}  // namespace vantor::gui
