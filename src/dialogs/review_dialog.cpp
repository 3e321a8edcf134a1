#include "dialogs/review_dialog.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <array>

#include "document/review.h"
#include "text/texts.h"

namespace vantor::gui {

namespace {

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }
QString text(const std::string& text) { return QString::fromStdString(text); }

enum Column { kName, kPath, kFileValue, kModuleValue, kResult, kColumns };
constexpr std::array<const char*, kColumns> kHeaderKeys = {"IDD_REVIEW_COLUMN_NAME", "IDD_REVIEW_COLUMN_PATH",
                                                           "IDD_REVIEW_COLUMN_FILE", "IDD_REVIEW_COLUMN_MODULE",
                                                           "IDD_REVIEW_COLUMN_RESULT"};

QString resultText(const ReviewRow& row) {
    if (row.written) return keyed("IDS_REVIEW_WRITTEN");
    return text(row.error);
}

}  // namespace

// The review's rows as a list: the check box in the name column is the row's selection.
class ReviewModel : public QAbstractTableModel {
public:
    ReviewModel(CPlimoDoc& document, QObject* parent) : QAbstractTableModel(parent), review_(document) {}

    ModuleReview& review() { return review_; }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(review_.rows().size());
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kColumns; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumns) return {};
        return keyed(kHeaderKeys[static_cast<std::size_t>(section)]);
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const ReviewRow& row = review_.rows()[static_cast<std::size_t>(index.row())];
        if (role == Qt::CheckStateRole && index.column() == kName) return row.selected ? Qt::Checked : Qt::Unchecked;
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
        switch (index.column()) {
        case kName: return text(row.label);
        case kPath: return text(row.path);
        case kFileValue: return text(row.fileValue);
        case kModuleValue: return text(row.moduleValue);
        case kResult: return resultText(row);
        default: return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        const ReviewRow& row = review_.rows()[static_cast<std::size_t>(index.row())];
        if (!row.writable) return Qt::NoItemFlags;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (index.column() == kName) flags |= Qt::ItemIsUserCheckable;
        return flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole || index.column() != kName) return false;
        review_.select(static_cast<std::size_t>(index.row()), value.toInt() == Qt::Checked);
        emit dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    // The rows were replaced or written.
    void reset() {
        beginResetModel();
        endResetModel();
    }

private:
    ModuleReview review_;
};

ReviewDialog::ReviewDialog(CPlimoDoc& document, QWidget* parent)
    : QDialog(parent), model_(new ReviewModel(document, this)), list_(new QTreeView), summary_(new QLabel) {
    setWindowTitle(keyed("IDD_REVIEW_CAPTION"));
    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(true);
    list_->setMinimumSize(640, 280);

    auto* buttons = new QDialogButtonBox;
    write_ = buttons->addButton(keyed("IDD_REVIEW_IDOK"), QDialogButtonBox::ActionRole);
    write_->setAutoDefault(false);
    buttons->addButton(keyed("IDD_REVIEW_IDCANCEL"), QDialogButtonBox::RejectRole)->setAutoDefault(false);
    connect(write_, &QPushButton::clicked, this, &ReviewDialog::writeSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReviewDialog::reject);
    connect(model_, &QAbstractItemModel::dataChanged, this, &ReviewDialog::showState);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(summary_);
    layout->addWidget(buttons);

    // The comparison runs under the wait dialog before this one shows.
    ModuleReview& review = model_->review();
    compared_ = review.Compare();
    model_->reset();
    for (int column = 0; column < kResult; ++column) list_->resizeColumnToContents(column);
    if (model_->rowCount({}) > 0) list_->setCurrentIndex(model_->index(0, kName));
    list_->setFocus();
    showState();
}

void ReviewDialog::writeSelected() {
    model_->review().WriteSelected();
    model_->reset();
    showState();
}

void ReviewDialog::showState() {
    const ModuleReview& review = model_->review();
    const std::size_t differences = review.rows().size();
    if (!compared_)
        summary_->clear();
    else if (differences == 0)
        summary_->setText(text(Text("IDS_STRING152")));
    else
        summary_->setText(text(Text("IDS_STRING153") + ": " + std::to_string(differences)));
    write_->setEnabled(review.selectedCount() > 0);
}

}  // namespace vantor::gui
