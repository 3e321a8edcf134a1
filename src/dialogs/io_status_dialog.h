#pragma once
// "I/O status": the live state of the module's inputs and outputs while the dialog is
// open. Per side a header, the numbered indicators and the table the device model
// fills; a worker on its own thread polls the tables row by row. A click on "Reset"
// clears that counter; an edited output value is written at once. The dialog closes
// only once the worker has finished the tick it is in.

#include <QDialog>
#include <QThread>
#include <mutex>
#include <vector>

#include "dialogs/io_status_worker.h"

class QModelIndex;

namespace vantor {
class CPlimoDoc;
class Parameter;
}  // namespace vantor

namespace vantor::gui {

class IoIndicator;
class IoTableModel;

class IoStatusDialog : public QDialog {
    Q_OBJECT
public:
    explicit IoStatusDialog(CPlimoDoc& document, QWidget* parent = nullptr);
    // Stops the worker and waits for its tick when the dialog goes without closing.
    ~IoStatusDialog() override;
    IoStatusDialog(const IoStatusDialog&) = delete;
    IoStatusDialog& operator=(const IoStatusDialog&) = delete;

    // Close, Escape, Enter and the close box: the first asks the worker to stop; the
    // dialog ends when it has.
    void done(int result) override;
    bool pollingEnded() const { return pollingEnded_; }

private:
    struct Side {
        IoTableModel* model = nullptr;
        std::vector<IoIndicator*> indicators;  // by table row, as far as there are any
    };

    QWidget* buildSide(IoStatusWorker::Side which, Side& side);
    Side& side(IoStatusWorker::Side which) { return which == IoStatusWorker::Side::Inputs ? inputs_ : outputs_; }
    void startPolling();
    void onPollingEnded();

    // The person's edits, under the parameter lock shared with the worker.
    void holdParameter(Parameter* parameter, bool held);
    void resetCounter(Parameter& counter);
    void writeOutput(IoTableModel& model, int row, int column, const QString& text);
    // The failed write's message: `text` under the caption naming the parameter.
    void reportWriteFailure(const Parameter& parameter, const std::string& text);

    CPlimoDoc& document_;
    std::mutex parameterLock_;
    Side inputs_;
    Side outputs_;
    QThread polling_;
    bool pollingEnded_ = false;
};

}  // namespace vantor::gui
