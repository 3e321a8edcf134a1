#pragma once
// Which model the configuration is for, when there is no module to ask: the models the
// brand offers, by display name, in the brand's order.

#include <QDialog>
#include <QString>
#include <map>

class QTreeWidget;

namespace vantor::gui {

class DeviceSelectionDialog : public QDialog {
    Q_OBJECT
public:
    // `currentModel` (a catalogue index, -1 for none) is selected at the start.
    explicit DeviceSelectionDialog(int currentModel, QWidget* parent = nullptr);
    int selectedModel() const { return selectedModel_; }  // catalogue index, after Accepted

public slots:
    // Without a selection: the hint, and the dialog stays.
    void accept() override;

private:
    QTreeWidget* list_;
    std::map<QString, int> modelsByName_;  // every catalogue model's display name
    int selectedModel_ = -1;
};

}  // namespace vantor::gui
