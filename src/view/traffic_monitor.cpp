#include "view/traffic_monitor.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <deque>
#include <functional>
#include <mutex>
#include <set>

#include "document/configuration_document.h"
#include "document/frame_trace.h"
#include "platform/file_access.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

// The frames the window keeps; the oldest go first.
constexpr int kMaxRows = 20000;

QString qText(const std::string& text) { return QString::fromStdString(text); }

struct Column {
    std::string FrameTraceFields::*field;
    const char* titleKey;
    Qt::Alignment alignment;
};
const Column kColumns[] = {
    {&FrameTraceFields::time, "IDS_TRACE_COLUMN_TIME", Qt::AlignRight},
    {&FrameTraceFields::direction, "IDS_TRACE_COLUMN_DIRECTION", Qt::AlignHCenter},
    {&FrameTraceFields::address, "IDS_TRACE_COLUMN_ADDRESS", Qt::AlignRight},
    {&FrameTraceFields::name, "IDS_TRACE_COLUMN_NAME", Qt::AlignLeft},
    {&FrameTraceFields::kind, "IDS_TRACE_COLUMN_KIND", Qt::AlignLeft},
    {&FrameTraceFields::data, "IDS_TRACE_COLUMN_DATA", Qt::AlignLeft},
    {&FrameTraceFields::value, "IDS_TRACE_COLUMN_VALUE", Qt::AlignLeft},
    {&FrameTraceFields::outcome, "IDS_TRACE_COLUMN_OUTCOME", Qt::AlignLeft},
};
constexpr int kNameColumn = 3;
constexpr int kOutcomeColumn = 7;

}  // namespace

// The tap: copies each frame under a lock and wakes the window when the queue was empty,
// so that one queued call drains however many frames came meanwhile.
class FrameQueue : public FrameTap {
public:
    explicit FrameQueue(std::function<void()> wake) : wake_(std::move(wake)) {}

    void onFrame(const FrameRecord& record) override {
        bool wasEmpty = false;
        {
            std::lock_guard lock(mutex_);
            wasEmpty = pending_.empty();
            if (pending_.size() >= static_cast<std::size_t>(kMaxRows)) pending_.pop_front();
            pending_.push_back(record);
        }
        if (wasEmpty) wake_();
    }
    std::deque<FrameRecord> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(pending_, {});
    }

private:
    const std::function<void()> wake_;
    std::mutex mutex_;
    std::deque<FrameRecord> pending_;
};

struct TrafficRow {
    FrameTraceFields fields;
    bool failed = false;
};

// The bounded list of described frames.
class TrafficRows : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void append(std::vector<TrafficRow> added) {
        if (added.empty()) return;
        const std::size_t keep = std::min(added.size(), static_cast<std::size_t>(kMaxRows));
        added.erase(added.begin(), added.end() - static_cast<std::ptrdiff_t>(keep));
        const int excess = static_cast<int>(rows_.size() + added.size()) - kMaxRows;
        if (excess > 0) {
            beginRemoveRows({}, 0, excess - 1);
            rows_.erase(rows_.begin(), rows_.begin() + excess);
            endRemoveRows();
        }
        const int first = static_cast<int>(rows_.size());
        beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
        for (TrafficRow& row : added) rows_.push_back(std::move(row));
        endInsertRows();
    }
    void clear() {
        beginResetModel();
        rows_.clear();
        endResetModel();
    }
    const TrafficRow& row(int at) const { return rows_[static_cast<std::size_t>(at)]; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(std::size(kColumns));
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const TrafficRow& shown = row(index.row());
        const Column& column = kColumns[index.column()];
        switch (role) {
        case Qt::DisplayRole: return qText(shown.fields.*column.field);
        case Qt::TextAlignmentRole: return QVariant::fromValue(column.alignment | Qt::AlignVCenter);
        case Qt::ForegroundRole:
            if (shown.failed && index.column() == kOutcomeColumn) return QColor(Qt::red);
            return {};
        default: return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return qText(Text(kColumns[section].titleKey));
    }

private:
    std::deque<TrafficRow> rows_;
};

TrafficMonitor::TrafficMonitor(CPlimoDoc& document, QWidget* parent)
    : QDockWidget(qText(TextByKey("IDD_TRAFFIC_MONITOR_CAPTION")), parent),
      document_(document),
      trace_(std::make_unique<FrameTrace>(document.description(), document.device().codecContext)),
      rows_(new TrafficRows(this)),
      filtered_(new QSortFilterProxyModel(this)),
      table_(new QTableView) {
    setObjectName("TrafficMonitor");
    queue_ = std::make_unique<FrameQueue>([this] {
        QMetaObject::invokeMethod(
            this, [this] { drain(); }, Qt::QueuedConnection);
    });

    filtered_->setSourceModel(rows_);
    filtered_->setFilterKeyColumn(kNameColumn);
    filtered_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    table_->setModel(filtered_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->setShowGrid(false);
    table_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    const QFontMetrics metrics(table_->font());
    const char* const kWidestTexts[] = {"000000.000",        "<-",       "0000", "M.s.t.r.:00", "write",
                                        "00 00 00 00 00 00", "00000.000"};
    for (int column = 0; column < static_cast<int>(std::size(kWidestTexts)); ++column)
        table_->setColumnWidth(column, std::max(metrics.horizontalAdvance(QString(kWidestTexts[column])) + 16,
                                                table_->horizontalHeader()->sectionSizeHint(column)));

    auto* copy = new QAction(table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &TrafficMonitor::copySelected);
    table_->addAction(copy);

    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(buildControls());
    layout->addWidget(table_, 1);
    setWidget(content);
}

TrafficMonitor::~TrafficMonitor() {
    if (tapInstalled_) document_.device().setFrameTap(nullptr);
}

QWidget* TrafficMonitor::buildControls() {
    auto* controls = new QWidget;
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char* key) {
        auto* made = new QPushButton(qText(TextByKey(key)));
        made->setAutoDefault(false);
        return made;
    };
    pause_ = button("IDD_TRAFFIC_MONITOR_IDC_PAUSE");
    pause_->setCheckable(true);
    filter_ = new QLineEdit;
    filter_->setPlaceholderText(qText(TextByKey("IDD_TRAFFIC_MONITOR_IDC_FILTER")));
    filter_->setClearButtonEnabled(true);
    connect(filter_, &QLineEdit::textChanged, filtered_, &QSortFilterProxyModel::setFilterFixedString);
    QPushButton* copy = button("IDD_TRAFFIC_MONITOR_IDC_COPY");
    connect(copy, &QPushButton::clicked, this, &TrafficMonitor::copySelected);
    QPushButton* save = button("IDD_TRAFFIC_MONITOR_IDC_SAVE");
    connect(save, &QPushButton::clicked, this, &TrafficMonitor::saveAs);
    QPushButton* clearing = button("IDD_TRAFFIC_MONITOR_IDC_CLEAR");
    connect(clearing, &QPushButton::clicked, this, &TrafficMonitor::clear);

    row->addWidget(pause_);
    row->addWidget(filter_, 1);
    row->addWidget(copy);
    row->addWidget(save);
    row->addWidget(clearing);
    return controls;
}

QAbstractItemModel& TrafficMonitor::shownRows() const { return *filtered_; }

void TrafficMonitor::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    // A minimised main window hides and shows its docks spontaneously: the tap stays.
    if (event->spontaneous() || tapInstalled_) return;
    document_.device().setFrameTap(queue_.get());
    tapInstalled_ = true;
}

void TrafficMonitor::hideEvent(QHideEvent* event) {
    QDockWidget::hideEvent(event);
    if (event->spontaneous() || !tapInstalled_) return;
    document_.device().setFrameTap(nullptr);
    tapInstalled_ = false;
    queue_->take();  // what came before the tap went belongs to no one now
}

void TrafficMonitor::drain() {
    std::deque<FrameRecord> records = queue_->take();
    if (records.empty() || pause_->isChecked()) return;
    std::vector<TrafficRow> added;
    added.reserve(records.size());
    for (const FrameRecord& record : records)
        added.push_back({trace_->fields(record), record.outcome != FrameOutcome::Ok});
    const QScrollBar* scroll = table_->verticalScrollBar();
    const bool followingTheEnd = scroll->value() == scroll->maximum();
    rows_->append(std::move(added));
    if (followingTheEnd) table_->scrollToBottom();
}

QString TrafficMonitor::shownText(bool selectedOnly) const {
    std::set<int> shown;
    if (selectedOnly)
        for (const QModelIndex& index : table_->selectionModel()->selectedRows()) shown.insert(index.row());
    if (shown.empty())
        for (int row = 0; row < filtered_->rowCount(); ++row) shown.insert(row);
    std::string text;
    for (const int row : shown) {
        const int source = filtered_->mapToSource(filtered_->index(row, 0)).row();
        text += FrameTrace::line(rows_->row(source).fields) + '\n';
    }
    return qText(text);
}

void TrafficMonitor::copySelected() { QApplication::clipboard()->setText(shownText(true)); }

void TrafficMonitor::saveAs() {
    const QString path =
        QFileDialog::getSaveFileName(this, windowTitle(), QString(), qText(Text("IDS_TRACE_SAVE_FILTER")));
    if (!path.isEmpty()) saveText(path);
}

bool TrafficMonitor::saveText(const QString& path) {
    std::string reason;
    if (saveFileAtomically(QFile::encodeName(path).toStdString(), shownText(false).toStdString(), reason)) return true;
    document_.device().userInterface().message(
        FormatText(Text("IDS_TRACE_SAVE_FAILED"), path.toStdString()) + "\n" + reason, Text("AFX_IDS_APP_TITLE"),
        MessageIcon::Error, MessageButtons::Ok);
    return false;
}

void TrafficMonitor::clear() { rows_->clear(); }

}  // namespace vantor::gui
