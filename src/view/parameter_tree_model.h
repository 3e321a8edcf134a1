#pragma once
// The parameter view's model: the rows the document's tree inserts (the device branch
// or its placeholder, the scanners branch with its sampled parameters) under the root
// row "Configuration", five columns whose texts and colours come from the parameters
// themselves, so a refresh only tells the views what may have changed.

#include <QAbstractItemModel>
#include <memory>
#include <unordered_map>

#include "view/parameter_rows.h"
#include "view/row_editing.h"

namespace vantor {
class CPlimoDoc;
class UserInterface;
}  // namespace vantor

namespace vantor::gui {

class ParameterTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column { Description, Name, Value, User, Error, ColumnCount };

    // An edit's instant write runs among `jobs`.
    ParameterTreeModel(CPlimoDoc& document, UserInterface& ui, LinkJobs& jobs, QObject* parent = nullptr);
    ~ParameterTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The rows of the document's tree as it is now.
    void fill();
    // No row refers to the tree any more.
    void clear();
    bool empty() const { return !root_ || root_->children.empty(); }
    // Every row's texts and colours shown anew.
    void refresh();
    void rowChanged(const RowNode& node);

    RowNode* node(const QModelIndex& index) const;
    QModelIndex indexOf(const RowNode* node, int column = Description) const;
    RowNode* rowOf(const Parameter* parameter) const;
    RowNode* deviceBranchRow() const { return deviceBranch_; }
    RowNode* scannersRow() const { return scanners_; }
    RowEditing& editing() { return editing_; }

    std::string cellText(const RowNode& row, int column) const;
    std::uint32_t rowColour(const RowNode& row) const;

private:
    bool showIndexes() const;
    // Marks every branch row below which a parameter has an exchange error.
    bool markErrorsBelow(RowNode& node);
    void emitChanged(const RowNode& node);

    CPlimoDoc& document_;
    UserInterface& ui_;
    RowEditing editing_;
    std::unique_ptr<RowNode> root_;  // invisible: its only child is the root row
    RowNode* deviceBranch_ = nullptr;
    RowNode* scanners_ = nullptr;
    std::unordered_map<const Parameter*, RowNode*> parameterRows_;
};

}  // namespace vantor::gui

namespace vantor::gui {
// The model's own index behind an index of a proxy over it (or the index itself).
QModelIndex SourceIndex(const QModelIndex& index);
}  // namespace vantor::gui
