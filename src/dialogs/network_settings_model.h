#pragma once
// The connection dialog's settings table: one row per parameter of the program network
// settings, its description and its value. The values shown are copies taken on the
// user-interface thread while the connection worker leaves the parameters alone; the
// worker's rate under test is shown without touching the parameter.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "dialogs/serial_ports.h"

namespace vantor {
class ObjectWithParameters;
class Parameter;
}  // namespace vantor

namespace vantor::gui {

class NetworkSettingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { DescriptionColumn, ValueColumn };
    enum Role {
        // The values a drop-down list offers; none for the values typed in a box.
        ChoicesRole = Qt::UserRole + 1,
        // What the list shows for each choice (the port row: the adapter's name beside the path).
        ChoiceLabelsRole,
        // The list takes a value that is none of its choices (a port the system does not list).
        FreeTextRole,
    };

    explicit NetworkSettingsModel(ObjectWithParameters& settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The parameter decides what it takes; the cell shows its value afterwards.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The values shown again from the parameters.
    void refresh();
    // The value cell of the parameter named `name` (letter case ignored) shows `text`.
    void showValue(const QString& name, const QString& text);
    // Every value but the port's back to the factory setting.
    void resetToFactorySettings();
    // The choices of the port row, also put into its parameter.
    void setPorts(const QList<SerialPortEntry>& ports);
    // -1 when no row is the serial port's.
    int portRow() const { return portRow_; }
    Parameter& parameterAt(int row) const { return *parameters_.at(static_cast<std::size_t>(row)); }

private:
    QStringList portChoices(bool labels) const;

    std::vector<Parameter*> parameters_;
    std::vector<QString> descriptions_;
    std::vector<QString> values_;
    QList<SerialPortEntry> ports_;
    int portRow_ = -1;
};

}  // namespace vantor::gui
