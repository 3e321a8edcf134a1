#pragma once
// The settings table: whole rows selected, the description taking three quarters of
// the width and the value the rest; a double click or Enter anywhere on a row edits
// its value.

#include <QTableView>

namespace vantor::gui {

class SettingsTableView : public QTableView {
    Q_OBJECT
public:
    explicit SettingsTableView(QWidget* parent = nullptr);
    // Opens the value editor of `row`.
    void editValue(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace vantor::gui
