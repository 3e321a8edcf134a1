#include "dialogs/io_status_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <functional>

#include "dialogs/io_indicator.h"
#include "dialogs/io_indicator_layout.h"
#include "dialogs/io_table_model.h"
#include "document/configuration_document.h"
#include "models/kq12.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor::gui {
namespace {

using Which = IoStatusWorker::Side;

QString qText(const std::string& text) { return QString::fromStdString(text); }

// The device model places the indicators in dialog units: a quarter of the average
// character width across, an eighth of the character height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFontMetrics& metrics)
        : charWidth_(metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                     52.0),
          charHeight_(metrics.height()) {}
    int x(int units) const { return qRound(units * charWidth_ / 4); }
    int y(int units) const { return qRound(units * charHeight_ / 8); }

private:
    double charWidth_;
    double charHeight_;
};

// The side's header and its table are as wide as this; the indicators start below the header.
constexpr int kSideWidthUnits = 160;
constexpr int kHeaderHeightUnits = 16;
constexpr int kIndicatorsBottomUnits = 6;
constexpr int kMaxVisibleRows = 16;

QLabel* sideHeader(const QString& text, const DialogUnits& units) {
    auto* header = new QLabel(text);
    header->setAlignment(Qt::AlignCenter);
    header->setMinimumSize(units.x(kSideWidthUnits), units.y(kHeaderHeightUnits));
    header->setStyleSheet(
        QStringLiteral("QLabel { color: white; font-weight: 600; font-size: 13pt;"
                       " font-family: 'Palatino Linotype', serif;"
                       " border: 1px solid rgb(50, 50, 50);"
                       " background: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1,"
                       " stop: 0 rgb(112, 112, 112), stop: 1 rgb(232, 232, 232)); }"));
    return header;
}

// Tells the dialog when an in-place edit starts and when its editor goes, committed
// or abandoned.
class EditWatchingDelegate : public QStyledItemDelegate {
public:
    EditWatchingDelegate(std::function<void(const QModelIndex&, bool)> editing, QObject* parent)
        : QStyledItemDelegate(parent), editing_(std::move(editing)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        editing_(index, true);
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        QStyledItemDelegate::destroyEditor(editor, index);
        editing_(index, false);
    }

private:
    std::function<void(const QModelIndex&, bool)> editing_;
};

QTableView* tableView(IoTableModel& model, const DialogUnits& units) {
    auto* view = new QTableView;
    view->setModel(&model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->horizontalHeader()->setSectionsClickable(false);
    view->verticalHeader()->setDefaultSectionSize(std::max(20, view->fontMetrics().height() + 6));
    view->setMinimumWidth(units.x(kSideWidthUnits));
    // As high as its rows, up to sixteen of them.
    const int rows = std::min(model.rowCount(), kMaxVisibleRows);
    view->setFixedHeight(rows * view->verticalHeader()->defaultSectionSize() +
                         view->horizontalHeader()->sizeHint().height() + 2 * view->frameWidth());
    return view;
}

}  // namespace

IoStatusDialog::IoStatusDialog(CPlimoDoc& document, QWidget* parent) : QDialog(parent), document_(document) {
    setWindowTitle(qText(TextByKey("IDD_STATE_INOUT_CAPTION")));
    auto* sides = new QHBoxLayout;
    if (CBaseDevice* model = document_.deviceModel()) {
        if (model->HasInputs()) sides->addWidget(buildSide(Which::Inputs, inputs_));
        if (model->HasOutputs()) sides->addWidget(buildSide(Which::Outputs, outputs_));
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton(qText(TextByKey("IDD_STATE_INOUT_IDCANCEL")), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sides);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    startPolling();
}

IoStatusDialog::~IoStatusDialog() {
    polling_.quit();
    polling_.wait();
}

QWidget* IoStatusDialog::buildSide(Which which, Side& side) {
    const bool inputs = which == Which::Inputs;
    CBaseDevice& model = *document_.deviceModel();
    const DialogUnits units(fontMetrics());
    side.model = new IoTableModel(inputs ? model.FillInputsTable() : model.FillOutputsTable(), this);

    auto* column = new QWidget;
    column->setObjectName(inputs ? "inputsSide" : "outputsSide");
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(
        sideHeader(qText(TextByKey(inputs ? "IDD_STATE_INOUT_IDC_STAT1" : "IDD_STATE_INOUT_IDC_STAT2")), units));

    // The indicators, one per table row as far as complete lines go.
    const auto first = inputs ? model.InputIndicatorRect() : model.OutputIndicatorRect();
    if (first) {
        const int step = inputs ? model.InputIndicatorStep() : model.OutputIndicatorStep();
        const int lineStep = model.IndicatorRowStep();
        const int width = first->right - first->left;
        const int height = first->bottom - first->top;
        auto* panel = new QWidget;
        auto* grid = new QGridLayout(panel);
        grid->setContentsMargins(units.x(first->left), units.y(std::max(first->top - kHeaderHeightUnits, 0)), 0,
                                 units.y(kIndicatorsBottomUnits));
        grid->setHorizontalSpacing(units.x(std::max(step - width, 0)));
        grid->setVerticalSpacing(units.y(std::max(lineStep - height, 0)));
        const auto kind = inputs ? IoIndicator::Kind::Input : IoIndicator::Kind::Output;
        for (const IndicatorPlacement& placement : layoutIndicators(side.model->rowCount(), *first, step, lineStep)) {
            auto* indicator = new IoIndicator(kind, placement.tableRow + 1);
            indicator->setObjectName(
                QStringLiteral("%1Indicator%2").arg(inputs ? "input" : "output").arg(placement.tableRow + 1));
            indicator->setFixedSize(units.x(width), units.y(height));
            grid->addWidget(indicator, placement.line, placement.column);
            side.indicators.push_back(indicator);
        }
        grid->setColumnStretch(grid->columnCount(), 1);
        layout->addWidget(panel);
    }

    QTableView* view = tableView(*side.model, units);
    view->setObjectName(inputs ? "inputsTable" : "outputsTable");
    view->setItemDelegate(new EditWatchingDelegate(
        [this, &side](const QModelIndex& index, bool editing) {
            holdParameter(side.model->parameterAt(index), editing);
        },
        view));
    for (int row = 0; row < side.model->rowCount(); ++row) {
        for (int col = 0; col < side.model->columnCount(); ++col) {
            const QModelIndex index = side.model->index(row, col);
            if (!side.model->isButton(index)) continue;
            auto* reset = new QPushButton(side.model->data(index, Qt::DisplayRole).toString());
            connect(reset, &QPushButton::clicked, this, [this, which, row, col] { write(which, row, col, "0"); });
            view->setIndexWidget(index, reset);
        }
    }
    connect(side.model, &IoTableModel::edited, this,
            [this, which](int row, int col, const QString& text) { write(which, row, col, text.toStdString()); });
    layout->addWidget(view);
    layout->addStretch();
    return column;
}

void IoStatusDialog::startPolling() {
    worker_ = new IoStatusWorker(document_, parameterLock_, inputs_.model ? inputs_.model->table() : IoTable{},
                                 outputs_.model ? outputs_.model->table() : IoTable{},
                                 static_cast<int>(inputs_.indicators.size()));
    IoStatusWorker* worker = worker_;
    worker->moveToThread(&polling_);
    connect(&polling_, &QThread::started, worker, &IoStatusWorker::start);
    connect(&polling_, &QThread::finished, worker, &QObject::deleteLater);
    connect(&polling_, &QThread::finished, this, &IoStatusDialog::onPollingEnded);
    connect(worker, &IoStatusWorker::rowRead, this, [this](Which which, int row, const QString& text) {
        if (IoTableModel* model = side(which).model) model->setCellText(row, 0, text);
    });
    connect(worker, &IoStatusWorker::rowPolled, this, [this](Which which, int row) {
        if (IoTableModel* model = side(which).model) model->setPolledRow(row);
    });
    connect(worker, &IoStatusWorker::indicatorState, this, [this](Which which, int indicator, const QString& state) {
        const auto& indicators = side(which).indicators;
        if (indicator >= 0 && indicator < static_cast<int>(indicators.size()))
            indicators[static_cast<std::size_t>(indicator)]->setStateText(state);
    });
    connect(worker, &IoStatusWorker::written, this, &IoStatusDialog::onWritten);
    polling_.start();
}

void IoStatusDialog::done(int result) {
    if (pollingEnded_) return QDialog::done(result);
    closing_ = true;
    endPollingOnceWritten();
}

// Ends after the writes handed over and the tick in progress; onPollingEnded closes then.
void IoStatusDialog::endPollingOnceWritten() {
    if (closing_ && writing_.empty()) polling_.quit();
}

void IoStatusDialog::onPollingEnded() {
    pollingEnded_ = true;
    QDialog::done(QDialog::Rejected);
}

void IoStatusDialog::holdParameter(Parameter* parameter, bool held) {
    if (!parameter) return;
    std::lock_guard lock(parameterLock_);
    // A row whose value is on its way stays the dialog's until the worker has written it.
    if (!held && writing_.count(parameter)) return;
    parameter->valueChanged = held ? 1 : 0;
}

void IoStatusDialog::write(Which which, int row, int column, const std::string& text) {
    IoTableModel* model = side(which).model;
    Parameter* parameter = model ? model->parameterAt(model->index(row, column)) : nullptr;
    if (!parameter || closing_) return;
    writing_.insert(parameter);
    QMetaObject::invokeMethod(
        worker_,
        [worker = worker_, which, row, column, parameter, text] { worker->write(which, row, column, parameter, text); },
        Qt::QueuedConnection);
}

void IoStatusDialog::onWritten(Which which, int row, int column, bool accepted, const QString& shown) {
    IoTableModel& model = *side(which).model;
    const QModelIndex index = model.index(row, column);
    Parameter& parameter = *model.parameterAt(index);
    writing_.erase(writing_.find(&parameter));
    if (model.isButton(index)) {
        if (!accepted) reportWriteFailure(parameter, shown.toStdString());
    } else if (accepted) {
        model.setCellText(row, column, shown);
    } else {
        // The KQ-12 says no more than that the value was not saved.
        const bool ownMessage = dynamic_cast<const CKQ12*>(document_.deviceModel()) != nullptr;
        reportWriteFailure(parameter, ownMessage ? Text("IDS_STRING193") : shown.toStdString());
    }
    endPollingOnceWritten();
}

void IoStatusDialog::reportWriteFailure(const Parameter& parameter, const std::string& text) {
    document_.ui().message(text, Text("IDS_STRING149") + " \"" + parameter.name + "\"", MessageIcon::Warning,
                           MessageButtons::Ok);
}

}  // namespace vantor::gui
