#pragma once
// The calibration procedures' line to the module. Every exchange of a wizard or dialog
// runs here, on a thread of its own, in the order it was posted; what it finds comes
// back to the window queued, so no exchange ever blocks the window. The live readings
// of a procedure run on the same thread, between the posted work, so frames keep the
// order the procedure gives them.
//
// The link is the document's, as the tree tasks use it: each piece of work and each
// reading holds the link lock, and a port found unusable (the module or its converter
// went and came back) is opened again first and left open for what follows.
//
// While posted work runs it owns the parameters it exchanges; the window looks at them
// again only in the work's `done`, or through the copies a reading hands over.

#include <QObject>
#include <QPointer>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "calibration/framework/calibration_timing.h"

namespace vantor {
class CPlimoDoc;
class Parameter;
}  // namespace vantor

namespace vantor::gui {

// One live reading as it came from the module.
struct Reading {
    Parameter* parameter = nullptr;  // the parameter read; its value is the window's to show
    int result = 0;                  // what ReadParameter returned
    std::string valueText;
    std::string errorText;
    std::string type;
};

class CalibrationLink : public QObject {
    Q_OBJECT
public:
    explicit CalibrationLink(CPlimoDoc& document, CalibrationTiming timing = {});
    // Ends the readings and waits for the exchange in flight; work not yet begun is dropped.
    ~CalibrationLink() override;

    CPlimoDoc& document() const { return document_; }
    const CalibrationTiming& timing() const { return timing_; }

    // Runs `work` on the link's thread after everything posted before it; then `done`
    // on the thread of `receiver`, unless the receiver is gone by then.
    void post(QObject* receiver, std::function<void()> work, std::function<void()> done = {});

    // From now on, rounds of reads of `parameters` (each read handed to `onReading` on
    // the receiver's thread, a pause of timing().readingPauseMs after each round) until
    // stopReadings or the next startReadings.
    void startReadings(QObject* receiver, std::vector<Parameter*> parameters,
                       std::function<void(const Reading&)> onReading);
    // No reading is handed over after this returns; a read in flight finishes unseen.
    void stopReadings();
    bool readingsRunning() const { return readingsRunning_; }

    // Nothing posted is waiting or running, results included (for tests).
    bool idle() const { return pending_ == 0; }
    // Ends the readings and returns once every piece of posted work has run (their
    // `done` still comes later, or not at all for a receiver that is gone). A window
    // calls it before it goes, so that no work runs on the parameters it owned.
    void drain();

private:
    // On the link's thread, under the link lock.
    void reopenUnusableLine();
    void readRound(int generation, const QPointer<QObject>& receiver, const std::vector<Parameter*>& parameters,
                   const std::function<void(const Reading&)>& onReading);

    CPlimoDoc& document_;
    const CalibrationTiming timing_;
    QThread thread_;
    QObject* worker_;  // lives on thread_
    std::atomic<int> generation_{0};
    std::atomic<int> pending_{0};  // posted, until its done has run
    int queued_ = 0;               // posted, until its work has run; under execution_
    std::mutex execution_;         // held while work or a reading runs
    std::condition_variable workRan_;
    bool readingsRunning_ = false;
};

}  // namespace vantor::gui
