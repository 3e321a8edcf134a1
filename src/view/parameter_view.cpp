#include "view/parameter_view.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "document/configuration_document.h"
#include "platform/settings_store.h"
#include "text/texts.h"
#include "view/expansion_memory.h"
#include "view/expansion_reader.h"
#include "view/link_jobs.h"
#include "view/parameter_delegate.h"
#include "view/parameter_tree_model.h"
#include "view/row_filter.h"
#include "view/sampled_rows.h"
#include "view/troubled_navigation.h"
#include "view/value_edit_keys.h"

namespace vantor::gui {
namespace {

constexpr int kInitialWidths[ParameterTreeModel::ColumnCount] = {360, 100, 180, 90, 220};

std::string ColumnWidthName(int column) { return "ParameterViewColumn" + std::to_string(column); }

QString QText(const char* key) { return QString::fromStdString(Text(key)); }

// A menu entry text "Label\tShortcut" as label and key sequence.
QAction* MenuAction(const char* key, QObject* parent) {
    const QStringList parts = QText(key).split('\t');
    auto* action = new QAction(parts.value(0), parent);
    if (parts.size() > 1) action->setShortcut(QKeySequence(parts.value(1)));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    return action;
}

// The branch commands of a branch row's menu, by position.
enum BranchCommand { ReadBranch, WriteBranch, UpdateBranch, CompareBranch };

// The element a row belongs to: its own, or the one of the nearest branch above.
ObjectWithParameters* OwningElement(const RowNode* row) {
    for (; row; row = row->parent)
        if (ObjectWithParameters* element = row->element()) return element;
    return nullptr;
}

}  // namespace

ParameterView::ParameterView(CPlimoDoc& document, UserInterface& ui, QWidget* parent)
    : QWidget(parent),
      document_(document),
      ui_(ui),
      linkJobs_(std::make_unique<LinkJobs>()),
      model_(new ParameterTreeModel(document, ui, *linkJobs_, this)),
      filter_(new RowFilter(this)),
      sampled_(new SampledRows(document, *model_, *linkJobs_, this)),
      tree_(new QTreeView(this)),
      readProgress_(new QProgressBar(this)),
      reader_(std::make_unique<ExpansionReader>(document, *linkJobs_, *readProgress_)),
      previousAction_(MenuAction("IDR_MAINFRAME_MENUITEM_PREVPROB", this)),
      nextAction_(MenuAction("IDR_MAINFRAME_MENUITEM_NEXTPROB", this)) {
    filter_->setSourceModel(model_);
    tree_->setModel(filter_);
    tree_->setItemDelegate(new ParameterDelegate(*model_, tree_));
    tree_->setUniformRowHeights(true);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    tree_->setExpandsOnDoubleClick(true);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->header()->setStretchLastSection(true);
    tree_->header()->setSectionsMovable(false);
    new ValueEditKeys(*tree_, ParameterTreeModel::Value);
    expansion_ = std::make_unique<ExpansionMemory>(*tree_, *filter_);
    restoreColumnWidths();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    buildFilterLine();
    layout->addWidget(tree_);
    layout->addWidget(readProgress_);
    setFocusProxy(tree_);

    addAction(previousAction_);
    addAction(nextAction_);
    connect(previousAction_, &QAction::triggered, this, &ParameterView::previousTroubled);
    connect(nextAction_, &QAction::triggered, this, &ParameterView::nextTroubled);
    connect(tree_, &QTreeView::customContextMenuRequested, this, &ParameterView::showContextMenu);
    connect(tree_, &QTreeView::expanded, this, &ParameterView::readWhenOpen);
    connect(reader_.get(), &ExpansionReader::parameterRead, this, [this](Parameter* parameter) {
        if (const RowNode* row = model_->rowOf(parameter)) model_->rowChanged(*row);
    });
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onCurrentRowChanged(current); });
}

ParameterView::~ParameterView() { saveColumnWidths(); }

void ParameterView::buildFilterLine() {
    auto* line = new QHBoxLayout;
    line->setContentsMargins(2, 2, 2, 0);
    filterText_ = new QLineEdit(this);
    filterText_->setPlaceholderText(QString::fromStdString(TextByKey("IDC_EDIT_FILTERIDD_PARAMETER_VIEW_")));
    filterText_->setClearButtonEnabled(true);
    onlyMarked_ = new QCheckBox(QString::fromStdString(TextByKey("IDC_CHECK_MARKEDIDD_PARAMETER_VIEW_")), this);
    line->addWidget(filterText_, 1);
    line->addWidget(onlyMarked_);
    static_cast<QVBoxLayout*>(layout())->addLayout(line);
    // Escape in the filter box clears it.
    auto* clearFilter = new QAction(filterText_);
    clearFilter->setShortcut(Qt::Key_Escape);
    clearFilter->setShortcutContext(Qt::WidgetShortcut);
    filterText_->addAction(clearFilter);
    connect(clearFilter, &QAction::triggered, filterText_, &QLineEdit::clear);
    connect(filterText_, &QLineEdit::textChanged, this,
            [this](const QString& text) { changeFilter([&] { filter_->setText(text); }); });
    connect(onlyMarked_, &QCheckBox::toggled, this,
            [this](bool on) { changeFilter([&] { filter_->setOnlyMarked(on); }); });
    setTabOrder(filterText_, onlyMarked_);
    setTabOrder(onlyMarked_, tree_);
}

void ParameterView::changeFilter(const std::function<void()>& change) {
    const bool wasActive = filter_->active();
    if (!wasActive) expansion_->remember();
    change();
    if (filter_->active())
        tree_->expandAll();
    else if (wasActive)
        expansion_->restore();
}

void ParameterView::restoreColumnWidths() {
    const auto settings = OpenSettings(SettingsScope::PerUser);
    for (int column = 0; column < ParameterTreeModel::ColumnCount; ++column) {
        const auto width = settings->readInteger(ColumnWidthName(column));
        tree_->header()->resizeSection(
            column, width && *width > 0 && *width < 10000 ? static_cast<int>(*width) : kInitialWidths[column]);
    }
}

void ParameterView::saveColumnWidths() const {
    const auto settings = OpenSettings(SettingsScope::PerUser);
    for (int column = 0; column < ParameterTreeModel::ColumnCount; ++column)
        settings->writeInteger(ColumnWidthName(column),
                               static_cast<std::uint32_t>(tree_->header()->sectionSize(column)));
}

void ParameterView::fill() {
    ui_.waitCursor(true);
    dropRows();
    model_->fill();
    restoreColumnWidths();  // a reset of the model may have changed them
    const QModelIndex root = filter_->mapFromSource(model_->index(0, 0));
    tree_->expand(root);
    if (const RowNode* device = model_->deviceBranchRow())
        tree_->expand(filter_->mapFromSource(model_->indexOf(device)));
    sampled_->start();
    ui_.waitCursor(false);
}

void ParameterView::updateAllViews() { model_->refresh(); }

void ParameterView::dropRows() {
    reader_->drop();
    sampled_->dropQueued();
    selectedParameter_ = nullptr;
    model_->clear();
}

void ParameterView::onCurrentRowChanged(const QModelIndex& current) {
    const RowNode* row = current.isValid() ? model_->node(SourceIndex(current)) : nullptr;
    selectedParameter_ = row ? row->parameter() : nullptr;
    document_.selectedElement = OwningElement(row);
    emit selectedElementChanged();
}

void ParameterView::readWhenOpen(const QModelIndex& expanded) {
    const RowNode* row = model_->node(SourceIndex(expanded));
    if (!row || !ui_.option(OptionSwitch::ReadWhenOpen)) return;
    const std::string noData = Text("IDS_NODATA");
    std::vector<Parameter*> due;
    for (const auto& child : row->children) {
        Parameter* parameter = child->parameter();
        if (!parameter || child->sampledParameter || parameter->name == "    ") continue;
        if (parameter->valueText != noData || !parameter->errorText.empty()) continue;
        due.push_back(parameter);
    }
    reader_->read(due);
}

QMenu* ParameterView::contextMenuFor(const QModelIndex& index) {
    const RowNode* row = index.isValid() ? model_->node(SourceIndex(index)) : nullptr;
    if (!row || row->role != RowRole::Tree || row->inScanners) return nullptr;
    tree_->setCurrentIndex(index);
    if (auto* branch = dynamic_cast<DescBranch*>(row->element())) {
        auto* menu = new QMenu(this);
        static const char* const kEntries[] = {"IDR_MENU_TREE_ID_BRANCH_READ", "IDR_MENU_TREE_ID_BRANCH_WRITE",
                                               "IDR_MENU_TREE_ID_BRANCH_UPDATE", "IDR_MENU_TREE_ID_BRANCH_COMPARE"};
        for (int command = ReadBranch; command <= CompareBranch; ++command)
            connect(menu->addAction(QText(kEntries[command])), &QAction::triggered, this,
                    [this, branch, command] { runOnBranch(branch, command); });
        return menu;
    }
    const Parameter* parameter = row->parameter();
    if (!parameter || row->sampledParameter) return nullptr;
    auto* menu = new QMenu(this);
    connect(menu->addAction(QText("IDR_MENU_PARAMETER_ID_PARAMETER_READ")), &QAction::triggered, this,
            &ParameterView::readSelectedParameter);
    if (parameter->userEditable)
        connect(menu->addAction(QText("IDR_MENU_PARAMETER_ID_PARAMETER_WRITE")), &QAction::triggered, this,
                &ParameterView::saveSelectedParameter);
    menu->addSeparator();
    connect(menu->addAction(QText("IDR_MENU_PARAMETER_ID_PARAMETER_NODATA")), &QAction::triggered, this,
            &ParameterView::setSelectedToNoData);
    return menu;
}

void ParameterView::showContextMenu(const QPoint& position) {
    QMenu* menu = contextMenuFor(tree_->indexAt(position));
    if (!menu) return;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(tree_->viewport()->mapToGlobal(position));
}

void ParameterView::runOnBranch(ObjectWithParameters* element, int command) {
    document_.selectedElement = dynamic_cast<DescBranch*>(element);
    switch (command) {
    case ReadBranch: document_.ReadAll(TreeScope::SelectedBranch); break;
    case WriteBranch: document_.WriteAll(TreeScope::SelectedBranch); break;
    case UpdateBranch: document_.WriteChanges(TreeScope::SelectedBranch); break;
    default: document_.Compare(TreeScope::SelectedBranch); break;
    }
}

Parameter* ParameterView::selectedParameterOrWarn() {
    if (!selectedParameter_)
        ui_.message(Text("IDS_STRING184"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Warning, MessageButtons::Ok);
    return selectedParameter_;
}

void ParameterView::readSelectedParameter() {
    if (Parameter* parameter = selectedParameterOrWarn(); parameter && document_.ReadParameterTask(*parameter))
        updateAllViews();
}

void ParameterView::saveSelectedParameter() {
    if (Parameter* parameter = selectedParameterOrWarn(); parameter && document_.WriteParameterTask(*parameter))
        updateAllViews();
}

void ParameterView::setSelectedToNoData() {
    Parameter* parameter = selectedParameterOrWarn();
    if (!parameter) return;
    parameter->valueText = Text("IDS_NODATA");
    parameter->errorText.clear();
    parameter->valueChanged = parameter->editableChanged = parameter->ownerChanged = 0;
    updateAllViews();
}

void ParameterView::previousTroubled() { findTroubled(SearchDirection::Backward); }

void ParameterView::nextTroubled() { findTroubled(SearchDirection::Forward); }

void ParameterView::findTroubled(SearchDirection direction) {
    const QModelIndex current = tree_->currentIndex();
    const RowNode* start = current.isValid() ? model_->node(SourceIndex(current)) : nullptr;
    if (!start && !document_.rootBranch()) return;
    ui_.waitCursor(true);
    const RowNode* found = FindTroubled(start, model_->deviceBranchRow(), direction);
    ui_.waitCursor(false);
    if (!found) {
        ui_.message(Text("IDS_STRING205"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    showRow(*found);
}

void ParameterView::showFirstTroubled() {
    if (const RowNode* found = FirstTroubled(model_->deviceBranchRow())) showRow(*found);
}

void ParameterView::showRow(const RowNode& row) {
    QModelIndex shown = filter_->mapFromSource(model_->indexOf(&row));
    if (!shown.isValid()) {  // filtered out: the search goes past the filter
        filterText_->clear();
        onlyMarked_->setChecked(false);
        shown = filter_->mapFromSource(model_->indexOf(&row));
    }
    for (QModelIndex above = shown.parent(); above.isValid(); above = above.parent()) tree_->expand(above);
    tree_->setCurrentIndex(shown);
    tree_->scrollTo(shown);
}

}  // namespace vantor::gui
