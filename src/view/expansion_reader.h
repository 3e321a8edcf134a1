#pragma once
// "Read when open": the parameters of a branch the person opens that hold no data yet
// are read from the module among the window's link jobs, never on the window's thread,
// in the order the branches were opened; each read is announced to the window queued,
// and a progress bar counts the reads still to come. The row is told to show its
// parameter again once the read is announced.

#include <QObject>
#include <vector>

class QProgressBar;

namespace vantor {
class CPlimoDoc;
class Parameter;
}  // namespace vantor

namespace vantor::gui {

class LinkJobs;

class ExpansionReader : public QObject {
    Q_OBJECT
public:
    // `progress` (the window's) is shown while reads are outstanding.
    ExpansionReader(CPlimoDoc& document, LinkJobs& jobs, QProgressBar& progress, QObject* parent = nullptr);
    // Drops what is queued and waits for the read in flight.
    ~ExpansionReader() override;

    // Queues reads of `parameters`; one that holds data by its turn is left alone.
    void read(const std::vector<Parameter*>& parameters);
    // Forgets every queued read (and the other link jobs) and returns once none runs:
    // the parameters may go.
    void drop();
    // Nothing queued or running, announcements included (for tests).
    bool idle() const { return outstanding_ == 0; }

signals:
    // On the window's thread: `parameter` was read (its value or its error is new).
    void parameterRead(vantor::Parameter* parameter);

private:
    void announce(Parameter* parameter);
    void showProgress();

    CPlimoDoc& document_;
    LinkJobs& jobs_;
    QProgressBar& progress_;
    int outstanding_ = 0;  // queued, until announced or dropped
    int total_ = 0;        // of the current run of reads, for the progress bar
};

}  // namespace vantor::gui
