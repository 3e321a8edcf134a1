#pragma once
// "I/O status": the live state of the module's inputs and outputs while the dialog is
// open. Per side a header, the numbered indicators and the table the device model
// fills; a worker on its own thread polls the tables row by row. A click on "Reset"
// clears that counter; an edited output value is written at once, by the worker, off
// the window's thread. The dialog closes only once the worker has written what it was
// given and finished the tick it is in.

#include <QDialog>
#include <QThread>
#include <mutex>
#include <set>
#include <string>
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
    // A value the person gave is still on its way to the module.
    bool writing() const { return !writing_.empty(); }

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
    // A Reset click ("0" into the counter) or an edited output, handed to the worker.
    void write(IoStatusWorker::Side which, int row, int column, const std::string& text);
    void onWritten(IoStatusWorker::Side which, int row, int column, bool accepted, const QString& shown);
    // The failed write's message: `text` under the caption naming the parameter.
    void reportWriteFailure(const Parameter& parameter, const std::string& text);
    void endPollingOnceWritten();

    CPlimoDoc& document_;
    std::mutex parameterLock_;
    Side inputs_;
    Side outputs_;
    QThread polling_;
    IoStatusWorker* worker_ = nullptr;   // lives on polling_
    std::multiset<Parameter*> writing_;  // handed to the worker, not yet written
    bool closing_ = false;
    bool pollingEnded_ = false;
};

}  // namespace vantor::gui
