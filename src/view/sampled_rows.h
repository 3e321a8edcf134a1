#pragma once
// The live values of the sampled rows: the sampling thread pushes every reading into a
// queue and wakes the view; the view drains the queue on its own thread and shows each
// reading in its row (decoded where the parameter is a status or a set of switches).
// No widget and no row is touched from the sampling thread. The sensor type a row's
// name depends on is read among the window's link jobs.

#include <QObject>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "device/sampled_value.h"

namespace vantor {
class CPlimoDoc;
}

namespace vantor::gui {

class LinkJobs;
class ParameterTreeModel;
struct RowNode;

class SampleQueue {
public:
    // Any thread: queues the reading, then wakes the receiver.
    void push(const SampledValue& value);
    std::optional<SampledValue> pop();
    void clear();
    // What a push calls; empty stops the wake-ups (the receiver is going).
    void setWakeUp(std::function<void()> wakeUp);

private:
    std::mutex mutex_;
    std::deque<SampledValue> entries_;
    std::function<void()> wakeUp_;
};

class SampledRows : public QObject {
    Q_OBJECT
public:
    SampledRows(CPlimoDoc& document, ParameterTreeModel& model, LinkJobs& jobs, QObject* parent = nullptr);
    ~SampledRows() override;

    // Starts the sampling thread over the scanners branch when the model shows it.
    void start();
    // Readings still queued refer to a tree that is going (as do the link jobs, dropped with it).
    void dropQueued() {
        queue_->clear();
        sensorTypeDue_ = false;
    }
    // What the sampling thread is handed.
    SampleSink sink() const;

public slots:
    // Shows every queued reading.
    void drain();

signals:
    void readingsShown();

private:
    void show(RowNode& row, const SampledValue& reading);
    // "rd.rs" measures pH or redox as the sensor type "sen.t" says: read, then named.
    void nameMeasurement(const Parameter& measurement);

    CPlimoDoc& document_;
    ParameterTreeModel& model_;
    LinkJobs& jobs_;
    bool sensorTypeDue_ = false;  // a read of it is queued
    std::shared_ptr<SampleQueue> queue_ = std::make_shared<SampleQueue>();
};

}  // namespace vantor::gui
