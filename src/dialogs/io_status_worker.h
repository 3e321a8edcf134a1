#pragma once
// The I/O status dialog's polling: on a thread of its own, one module exchange every
// 100 ms tick, the inputs and the outputs side in turn, one table row per tick. What it
// finds goes to the dialog as signals (queued: no widget is touched from here).
//
// A row whose parameter carries the value-changed flag is being edited or written by
// the dialog and is left alone. The flag, and the parameters themselves, are shared
// with the dialog under `parameterLock`, which a tick holds for its one exchange. The
// values the person gives are written here too, between two ticks, under that lock
// and the link lock; the outcome goes back as a signal.

#include <QObject>
#include <QString>
#include <mutex>
#include <string>

#include "models/io_table.h"

namespace vantor {
class CBaseDevice;
class CPlimoDoc;
class Parameter;
}  // namespace vantor

namespace vantor::gui {

class IoStatusWorker : public QObject {
    Q_OBJECT
public:
    enum class Side { Inputs, Outputs };
    Q_ENUM(Side)

    static constexpr int kTickMs = 100;

    // The tables as the device model filled them; `inputIndicators` is the number of
    // input indicators the dialog shows.
    IoStatusWorker(CPlimoDoc& document, std::mutex& parameterLock, IoTable inputs, IoTable outputs,
                   int inputIndicators);

    // Starts the ticks; called on the worker's own thread once it runs. The ticks end
    // with that thread's event loop, never in the middle of one.
    void start();
    // Writes `text` into the parameter of the cell at `row`, `column` of `side`'s table;
    // called on the worker's thread. Clears the parameter's value-changed flag.
    void write(Side side, int row, int column, Parameter* parameter, const std::string& text);

signals:
    // The first cell of `row`: the value read, or why it could not be.
    void rowRead(Side side, int row, const QString& text);
    // The row shown in green on that side; -1: none.
    void rowPolled(Side side, int row);
    void indicatorState(Side side, int indicator, const QString& state);
    // A write's outcome: `shown` is the value written, or why the module refused it.
    void written(Side side, int row, int column, bool accepted, const QString& shown);

private:
    void tick();
    void pollInputs(CBaseDevice& model);
    void pollOutputs();
    // Reads the row's parameter unless the dialog holds it; false when left alone.
    bool readRow(Side side, const IoTable& table, int row);

    CPlimoDoc& document_;
    std::mutex& parameterLock_;
    IoTable inputs_;
    IoTable outputs_;
    int inputIndicators_;
    Side next_ = Side::Inputs;
    int nextInput_ = 0;
    int nextOutput_ = 0;
};

}  // namespace vantor::gui
