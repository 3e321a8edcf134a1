#pragma once
// "Read when open": the parameters of a branch the person opens that hold no data yet
// are read from the module on a thread of the reader's own, never on the window's, in
// the order the branches were opened. Each read takes the link lock, as the link's
// other threads do, and is announced to the window queued; a progress bar counts the
// reads still to come. While a read runs it owns its parameter, as a tree task owns
// the tree; the row is told to show it again once the read is announced.

#include <QObject>
#include <QThread>
#include <atomic>
#include <mutex>
#include <vector>

class QProgressBar;

namespace vantor {
class CPlimoDoc;
class Parameter;
}  // namespace vantor

namespace vantor::gui {

class ExpansionReader : public QObject {
    Q_OBJECT
public:
    // `progress` (the window's) is shown while reads are outstanding.
    ExpansionReader(CPlimoDoc& document, QProgressBar& progress, QObject* parent = nullptr);
    // Drops what is queued and waits for the read in flight.
    ~ExpansionReader() override;

    // Queues reads of `parameters`; one that holds data by its turn is left alone.
    void read(const std::vector<Parameter*>& parameters);
    // Forgets every queued read and returns once none runs: the parameters may go.
    void drop();
    // Nothing queued or running, announcements included (for tests).
    bool idle() const { return outstanding_ == 0; }

signals:
    // On the window's thread: `parameter` was read (its value or its error is new).
    void parameterRead(vantor::Parameter* parameter);

private:
    void readOne(int generation, Parameter* parameter);
    void announce(int generation, Parameter* parameter);
    void showProgress();

    CPlimoDoc& document_;
    QProgressBar& progress_;
    QThread thread_;
    QObject* worker_;  // lives on thread_
    std::atomic<int> generation_{0};
    int outstanding_ = 0;   // queued on the window's thread, until announced or dropped
    int total_ = 0;         // of the current run of reads, for the progress bar
    std::mutex execution_;  // held while a read runs
};

}  // namespace vantor::gui
