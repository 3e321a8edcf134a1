#pragma once
// The user method of the mutual-inductance calibration: a table of up to 21 nodes, an
// inductance and the physical value that belongs to it, typed in or (on the measuring
// page) measured by the module. Finish writes the nodes and the coefficients of the
// natural cubic spline through them to the module and applies the calibration.

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <array>

#include "calibration/framework/calibration_page.h"
#include "calibration/inductance/points_table_ctrl.h"

namespace vantor::gui::CalibrationVI {

struct UserPageFacts {
    const char* titleKey;
    std::array<const char*, 3> headerKeys;
    const char* buttonKey;  // the measuring buttons' label; null: no measuring column
};

class CUserPage : public CalibrationPage {
    Q_OBJECT
public:
    myClass::CPointsTableCtrl& table() const { return *table_; }
    // The number of nodes, taken by "Apply".
    QLineEdit& nodeCount() const { return *nodeCount_; }
    QPushButton& applyButton() const { return *apply_; }

    void onActivate() override;
    // Back goes to the first page.
    bool onBack() override;
    // Writes the table unless it cannot make a spline; stays on a failed write.
    bool onFinish() override;

protected:
    explicit CUserPage(const UserPageFacts& facts);
    // While the module works, the person leaves the table and the wizard alone.
    void setWorking(bool working);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyNodeCount();

    myClass::CPointsTableCtrl* table_;
    QLineEdit* nodeCount_;
    QPushButton* apply_;
    QPointer<QWidget> focusBefore_;
};

class CUserTablePage : public CUserPage {
    Q_OBJECT
public:
    CUserTablePage();
};

class CUserMeasuringPage : public CUserPage {
    Q_OBJECT
public:
    CUserMeasuringPage();

    void onLeave() override;
    // The inductance of `row` as the module measures it, the running value of 32 reads.
    void measure(int row);
    bool measuring() const { return measuring_; }

private:
    void setMeasuring(bool on);

    bool measuring_ = false;
};

}  // namespace vantor::gui::CalibrationVI
