#include "view/link_jobs.h"

#include "platform/app_state.h"

namespace vantor::gui {

LinkJobs::LinkJobs(QObject* parent) : QObject(parent), worker_(new QObject) {
    worker_->moveToThread(&thread_);
    thread_.setObjectName("window's exchanges");
    thread_.start();
}

LinkJobs::~LinkJobs() {
    drop();
    thread_.quit();
    thread_.wait();
    delete worker_;
}

void LinkJobs::run(std::function<void()> exchange, std::function<void()> then) {
    ++pending_;
    QMetaObject::invokeMethod(
        worker_,
        [this, generation = generation_.load(), exchange = std::move(exchange), then = std::move(then)] {
            runOne(generation, exchange, then);
        },
        Qt::QueuedConnection);
}

void LinkJobs::drop() {
    ++generation_;
    pending_ = 0;
    std::lock_guard lock(execution_);
}

// On the jobs' thread.
void LinkJobs::runOne(int generation, const std::function<void()>& exchange, const std::function<void()>& then) {
    {
        std::lock_guard lock(execution_);
        // Dropped jobs touch nothing: their parameters may be gone.
        if (generation != generation_) return;
        std::lock_guard link(app().linkLock());
        exchange();
    }
    QMetaObject::invokeMethod(
        this,
        [this, generation, then] {
            if (generation != generation_) return;
            --pending_;
            if (then) then();
        },
        Qt::QueuedConnection);
}

}  // namespace vantor::gui
