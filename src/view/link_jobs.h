#pragma once
// The module exchanges the window starts (a read when a branch opens, the write after an
// edit, the sensor type a sampled row needs) run one after the other on a
// thread of their own, never on the window's: each under the link lock, as the link's
// other threads take it. What the window makes of an exchange's outcome runs after it,
// queued back to the window's thread. While an exchange runs it owns its parameter, as
// a tree task owns the tree.

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <mutex>

namespace vantor::gui {

class LinkJobs : public QObject {
    Q_OBJECT
public:
    explicit LinkJobs(QObject* parent = nullptr);
    // Drops what is queued and waits for the exchange in flight.
    ~LinkJobs() override;

    // Queues `exchange`; once it has run, `then` runs on this object's thread. Neither
    // runs once the job is dropped.
    void run(std::function<void()> exchange, std::function<void()> then);
    // Forgets every queued job and returns once no exchange runs: what they refer to may go.
    void drop();
    // Nothing queued or running, the `then` parts included.
    bool idle() const { return pending_ == 0; }

private:
    void runOne(int generation, const std::function<void()>& exchange, const std::function<void()>& then);

    QThread thread_;
    QObject* worker_;  // lives on thread_
    std::atomic<int> generation_{0};
    int pending_ = 0;       // counted on the window's thread
    std::mutex execution_;  // held while an exchange runs
};

}  // namespace vantor::gui
