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

    void setText(const QString& text);
    void setOnlyMarked(bool onlyMarked);
    bool active() const { return !text_.isEmpty() || onlyMarked_; }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString text_;
    bool onlyMarked_ = false;
};

}  // namespace vantor::gui
