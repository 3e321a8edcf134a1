#pragma once
// The frame traffic monitor: a dock window listing every frame the link sends and
// receives, with its time, direction, address, parameter name, data, decoded value and
// outcome. While the window is shown a tap on the link copies each frame into a queue
// under a lock, on whichever thread exchanged it; a queued wake-up drains the queue on
// the user-interface thread into a bounded list. Hidden, the link has no tap at all.

#include <QDockWidget>
#include <memory>

namespace vantor {
class CPlimoDoc;
class FrameTrace;
}  // namespace vantor

class QAbstractItemModel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace vantor::gui {

class FrameQueue;
class TrafficRows;

class TrafficMonitor : public QDockWidget {
    Q_OBJECT
public:
    TrafficMonitor(CPlimoDoc& document, QWidget* parent = nullptr);
    ~TrafficMonitor() override;

    // The frames as shown: filtered by name, oldest first.
    QAbstractItemModel& shownRows() const;
    QTableView& table() const { return *table_; }
    QPushButton& pauseButton() const { return *pause_; }
    QLineEdit& filterLine() const { return *filter_; }

    // The selected frames, or all shown when none is selected, one line each.
    QString shownText(bool selectedOnly) const;
    // Writes the shown frames to `path`; false after telling the person why not.
    bool saveText(const QString& path);

public slots:
    void copySelected();
    void saveAs();
    void clear();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void drain();
    QWidget* buildControls();

    CPlimoDoc& document_;
    std::unique_ptr<FrameTrace> trace_;
    std::unique_ptr<FrameQueue> queue_;
    TrafficRows* rows_;
    QSortFilterProxyModel* filtered_;
    QTableView* table_;
    QPushButton* pause_ = nullptr;
    QLineEdit* filter_ = nullptr;
    bool tapInstalled_ = false;
};

}  // namespace vantor::gui
