#include "calibration/framework/calibration_link.h"

#include <QPointer>
#include <QTimer>

#include "document/configuration_document.h"
#include "params/parameter.h"
#include "platform/app_state.h"

namespace vantor::gui {

CalibrationLink::CalibrationLink(CPlimoDoc& document, CalibrationTiming timing)
    : document_(document), timing_(timing), worker_(new QObject) {
    worker_->moveToThread(&thread_);
    thread_.setObjectName("calibration link");
    thread_.start();
}

CalibrationLink::~CalibrationLink() {
    stopReadings();
    thread_.quit();
    thread_.wait();
    delete worker_;
}

void CalibrationLink::post(QObject* receiver, std::function<void()> work, std::function<void()> done) {
    ++pending_;
    {
        std::lock_guard lock(execution_);
        ++queued_;
    }
    QPointer<QObject> guard(receiver);
    QMetaObject::invokeMethod(
        worker_,
        [this, guard, work = std::move(work), done = std::move(done)] {
            {
                std::lock_guard lock(execution_);
                {
                    std::lock_guard link(app().linkLock());
                    reopenUnusableLine();
                    work();
                }
                --queued_;
            }
            workRan_.notify_all();
            // Back on the window's thread, where the receiver lives and dies.
            QMetaObject::invokeMethod(
                this,
                [this, guard, done] {
                    if (done && guard) done();
                    --pending_;
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void CalibrationLink::startReadings(QObject* receiver, std::vector<Parameter*> parameters,
                                    std::function<void(const Reading&)> onReading) {
    const int generation = ++generation_;
    readingsRunning_ = true;
    QMetaObject::invokeMethod(
        worker_,
        [this, generation, guard = QPointer<QObject>(receiver), parameters = std::move(parameters),
         onReading = std::move(onReading)] { readRound(generation, guard, parameters, onReading); },
        Qt::QueuedConnection);
}

void CalibrationLink::drain() {
    stopReadings();
    std::unique_lock lock(execution_);
    workRan_.wait(lock, [this] { return queued_ == 0; });
}

void CalibrationLink::stopReadings() {
    ++generation_;
    readingsRunning_ = false;
}

void CalibrationLink::reopenUnusableLine() {
    Device& device = document_.device();
    if (!device.portUsable()) device.ReopenLine();
}

// On the link's thread. The receiver is only looked at again on its own thread.
void CalibrationLink::readRound(int generation, const QPointer<QObject>& receiver,
                                const std::vector<Parameter*>& parameters,
                                const std::function<void(const Reading&)>& onReading) {
    for (Parameter* parameter : parameters) {
        std::unique_lock lock(execution_);
        // Stopped readings read nothing more: their parameters may be gone.
        if (generation_ != generation) return;
        std::unique_lock link(app().linkLock());
        reopenUnusableLine();
        Reading reading{parameter, document_.ReadParameter(*parameter), parameter->valueText, parameter->errorText,
                        parameter->type};
        link.unlock();
        lock.unlock();
        QMetaObject::invokeMethod(
            this,
            [this, generation, receiver, reading, onReading] {
                if (generation_ == generation && receiver) onReading(reading);
            },
            Qt::QueuedConnection);
    }
    if (generation_ != generation) return;
    QTimer::singleShot(timing_.readingPauseMs, worker_,
                       [=, this] { readRound(generation, receiver, parameters, onReading); });
}

}  // namespace vantor::gui
