#pragma once
// The points of a user calibration of the mutual-inductance module: 21 rows, each a
// node with its number, its inductance ("uU.Pn" at the row's data index) and the
// physical value that belongs to it ("FV", only for the computation), and on the
// measuring page a button that measures the node's inductance ("Rd.fH"). The cells
// carry the parameters they show; an edit goes through the parameter's own check.
// Rows beyond the number of nodes keep their values but take no part.

#include <QAbstractTableModel>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace vantor {
class Parameter;
}

namespace vantor::gui::myClass {

// One cell: the parameter whose value it shows and edits, or a text of its own.
struct PointsCell {
    std::shared_ptr<Parameter> parameter;
    QString text;  // without a parameter: what the cell shows; a button's label
    bool editable = false;
    bool button = false;
};

class PointsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kRows = 21;
    static constexpr int kFewestNodes = 2;
    enum Column { kNumberColumn, kInductanceColumn, kPhysicalValueColumn, kMeasuringColumn };

    // The column titles; a fourth one adds the measuring buttons, labelled `buttonText`.
    PointsTableModel(const QStringList& headers, const QString& buttonText, QObject* parent = nullptr);
    ~PointsTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // An edit of a value cell: the parameter's check decides; a refused text changes nothing.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rows 0 to count − 1 take part.
    void setEnabledRows(int count);
    int enabledRows() const { return enabledRows_; }
    bool rowEnabled(int row) const { return row >= 0 && row < enabledRows_; }
    bool isButton(const QModelIndex& index) const;

    Parameter& inductance(int row) const;
    Parameter& physicalValue(int row) const;
    // What the measurement of a row reads; null without the measuring column.
    std::shared_ptr<Parameter> reading(int row) const;
    // Sets a measured inductance as an edit would, keeping every digit it was printed
    // with; false when the text is refused.
    bool setMeasuredInductance(int row, const std::string& text);

private:
    const PointsCell& cell(const QModelIndex& index) const;

    QStringList headers_;
    std::vector<std::vector<PointsCell>> cells_;  // [row][column]
    int enabledRows_ = kRows;
};

}  // namespace vantor::gui::myClass
