#pragma once
// One table of the I/O status dialog as an item model over the table the device model
// filled: the cells' texts as the polling updates them, the row being polled in green,
// the value cells of the outputs editable. An edit is not stored here: it is handed on
// as `edited`, and the dialog shows the outcome of writing it with setCellText.

#include <QAbstractTableModel>
#include <QString>

#include "models/io_table.h"

namespace vantor::gui {

class IoTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit IoTableModel(IoTable table, QObject* parent = nullptr);

    const IoTable& table() const { return table_; }
    // The parameter a cell carries; null outside the table.
    Parameter* parameterAt(const QModelIndex& index) const;
    bool isButton(const QModelIndex& index) const;

    void setCellText(int row, int column, const QString& text);
    // The row shown in green; -1: none.
    void setPolledRow(int row);
    int polledRow() const { return polledRow_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void edited(int row, int column, const QString& text);

private:
    const IoCell* cell(const QModelIndex& index) const;

    IoTable table_;
    int polledRow_ = -1;
};

}  // namespace vantor::gui
