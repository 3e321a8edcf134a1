#include "dialogs/connection_worker.h"

#include "device/device.h"
#include "device/network_scan.h"
#include "elements/object_with_parameters.h"

namespace vantor::gui {

ConnectionWorker::ConnectionWorker(Device& device, ObjectWithParameters& settings, QObject* parent)
    : QObject(parent), device_(device), settings_(settings), thread_([this] { run(); }) {}

ConnectionWorker::~ConnectionWorker() {
    stop();
    thread_.join();
}

void ConnectionWorker::request(Request what) {
    {
        std::lock_guard lock(mutex_);
        if (busy_ || stopping_) return;
        pending_ = what;
        busy_ = true;
    }
    changed_.notify_all();
}

void ConnectionWorker::stop() {
    device_.cancelEvent().set();
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
}

void ConnectionWorker::run() {
    for (;;) {
        Request what{};
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || pending_; });
            if (stopping_) break;
            what = *pending_;
            pending_.reset();
        }
        Parameter* rate = settings_.FindParameter("bps");
        NetworkScan scan(device_, settings_, [&](const std::string& text, bool error) {
            if (what == Request::Scan && rate) emit rateTried(QString::fromStdString(rate->valueText));
            emit status(QString::fromStdString(text), error);
        });
        const bool connected = what == Request::Connect ? scan.Connect() : scan.Scan();
        {
            std::lock_guard lock(mutex_);
            busy_ = false;
            if (connected) stopping_ = true;
        }
        emit requestDone(connected);
        if (connected) break;
    }
    // The stop is served: the link's next task must not see it.
    device_.cancelEvent().reset();
    emit finished();
}

}  // namespace vantor::gui
