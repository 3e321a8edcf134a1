#pragma once
// The filter above the parameter tree: only the rows whose description, name or value
// contains the typed text, and optionally only the parameters that are changed or
// troubled; the branches above a shown row stay visible.

#include <QSortFilterProxyModel>

namespace vantor::gui {

class RowFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RowFilter(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* model) override;
    void setText(const QString& text);
    void setOnlyMarked(bool onlyMarked);
    bool active() const { return !text_.isEmpty() || onlyMarked_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    // A changed row may now pass or fail, and so may its branches, which the proxy
    // does not look at again by itself when they were hidden: filter anew once the
    // changes of the moment are in.
    void refilterSoon();

    QString text_;
    bool refilterPending_ = false;
    bool onlyMarked_ = false;
};

}  // namespace vantor::gui
