#include "calibration/inductance/points_table_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <functional>

namespace vantor::gui::myClass {
namespace {

const QColor kGridLine(243, 244, 227);
const QColor kSelectedRow(210, 210, 210);
constexpr int kButtonMargin = 2;
constexpr int kCellPadding = 3;

// A row that takes no part shows its button disabled.
QStyleOptionButton buttonOption(const QStyleOptionViewItem& item, const QModelIndex& index) {
    QStyleOptionButton button;
    button.rect = item.rect.adjusted(kButtonMargin, 1, -kButtonMargin, -1);
    button.text = item.text;
    button.state = QStyle::State_Raised;
    button.fontMetrics = item.fontMetrics;
    button.palette = item.widget ? item.widget->palette() : item.palette;
    if (index.flags() & Qt::ItemIsEnabled)
        button.state |= QStyle::State_Enabled;
    else
        button.palette.setCurrentColorGroup(QPalette::Disabled);
    return button;
}

// Draws the cells with vertical grid lines only and the measuring cells as push
// buttons, and tells the table when a button is clicked.
class PointsCellDelegate : public QStyledItemDelegate {
public:
    PointsCellDelegate(std::function<void(int)> onButton, QObject* parent)
        : QStyledItemDelegate(parent), onButton_(std::move(onButton)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (isButton(index)) {
            QStyleOptionViewItem item = option;
            initStyleOption(&item, index);
            QStyle* style = item.widget ? item.widget->style() : QApplication::style();
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &item, painter, item.widget);
            const QStyleOptionButton button = buttonOption(item, index);
            style->drawControl(QStyle::CE_PushButton, &button, painter, item.widget);
        } else {
            QStyledItemDelegate::paint(painter, option, index);
        }
        painter->save();
        painter->setPen(kGridLine);
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (!isButton(index)) return QStyledItemDelegate::sizeHint(option, index);
        QStyleOptionViewItem item = option;
        initStyleOption(&item, index);
        const QStyleOptionButton button = buttonOption(item, index);
        QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        const QSize text = item.fontMetrics.size(Qt::TextShowMnemonic, item.text);
        return style->sizeFromContents(QStyle::CT_PushButton, &button, text, item.widget) + QSize(2 * kButtonMargin, 2);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (!isButton(index) || event->type() != QEvent::MouseButtonRelease)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint()) &&
            (index.flags() & Qt::ItemIsEnabled))
            onButton_(index.row());
        return true;
    }

private:
    static bool isButton(const QModelIndex& index) {
        const auto* points = qobject_cast<const PointsTableModel*>(index.model());
        return points && points->isButton(index);
    }

    std::function<void(int)> onButton_;
};

}  // namespace

CPointsTableCtrl::CPointsTableCtrl(const QStringList& headers, const QString& buttonText, QWidget* parent)
    : QTableView(parent), points_(new PointsTableModel(headers, buttonText, this)) {
    setModel(points_);
    setItemDelegate(new PointsCellDelegate([this](int row) { emit buttonClicked(row); }, this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(DoubleClicked | SelectedClicked | EditKeyPressed | AnyKeyPressed);
    setShowGrid(false);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Highlight, kSelectedRow);
    colours.setColor(QPalette::HighlightedText, Qt::black);
    setPalette(colours);
    int rowHeight = fontMetrics().height() + 2 * kCellPadding;
    if (points_->columnCount() > PointsTableModel::kMeasuringColumn)
        rowHeight =
            std::max(rowHeight, sizeHintForIndex(points_->index(0, PointsTableModel::kMeasuringColumn)).height());
    verticalHeader()->setDefaultSectionSize(rowHeight);
}

// Tall enough for every row: the page gives the table what room it has.
QSize CPointsTableCtrl::sizeHint() const {
    const int rows = verticalHeader()->length() + horizontalHeader()->height() + 2 * frameWidth();
    return {QTableView::sizeHint().width(), rows};
}

void CPointsTableCtrl::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    fitColumns();
}

void CPointsTableCtrl::fitColumns() {
    int width = viewport()->width();
    if (points_->columnCount() > PointsTableModel::kMeasuringColumn) {
        const int buttons = sizeHintForColumn(PointsTableModel::kMeasuringColumn);
        setColumnWidth(PointsTableModel::kMeasuringColumn, buttons);
        width -= buttons;
    }
    const int number = width / 7;
    const int inductance = width * 3 / 7;
    setColumnWidth(PointsTableModel::kNumberColumn, number);
    setColumnWidth(PointsTableModel::kInductanceColumn, inductance);
    setColumnWidth(PointsTableModel::kPhysicalValueColumn, width - number - inductance);
}

void CPointsTableCtrl::keyPressEvent(QKeyEvent* event) {
    const QModelIndex current = currentIndex();
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (current.isValid() && state() != EditingState && (enter || key == Qt::Key_Space)) {
        // The keys act on the cell; they never reach the wizard's default button.
        if (points_->isButton(current)) {
            if (current.flags() & Qt::ItemIsEnabled) emit buttonClicked(current.row());
            return;
        }
        if (enter) {
            edit(current);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace vantor::gui::myClass
