#pragma once
// The status bar's account of the connection: the port with its line settings, the
// module the document talks to (model and address), whether the last exchange with it
// worked, and how the last task ended. It reads the document's state, on a short
// timer and whenever a task has ended, so no thread of the link has to reach it.

#include <QTimer>
#include <QWidget>

class QLabel;

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class ConnectionStatus : public QWidget {
    Q_OBJECT
public:
    explicit ConnectionStatus(CPlimoDoc& document, QWidget* parent = nullptr);

    QString connectionText() const;
    QString taskText() const;

public slots:
    // Shows the document's state now.
    void refresh();

private:
    CPlimoDoc& document_;
    QLabel* connection_;
    QLabel* task_;
    QTimer timer_;
};

}  // namespace vantor::gui
