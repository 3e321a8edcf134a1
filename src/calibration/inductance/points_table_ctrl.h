#pragma once
// The table of the user calibration's points: one row per node, selected whole, the
// value cells edited in place, the measuring cells drawn as push buttons. The number
// column takes a seventh of the width, the inductance and the physical value three
// sevenths each (of what the buttons leave).

#include <QTableView>

#include "calibration/inductance/points_table_model.h"

namespace vantor::gui::myClass {

class CPointsTableCtrl : public QTableView {
    Q_OBJECT
public:
    CPointsTableCtrl(const QStringList& headers, const QString& buttonText, QWidget* parent = nullptr);

    PointsTableModel& points() const { return *points_; }
    QSize sizeHint() const override;

signals:
    // The button of `row` was pressed (by mouse, Space or Enter) in a row that takes part.
    void buttonClicked(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitColumns();

    PointsTableModel* points_;
};

}  // namespace vantor::gui::myClass
