#include "view/expansion_reader.h"

#include <QProgressBar>

#include "document/configuration_document.h"
#include "platform/app_state.h"

namespace vantor::gui {

ExpansionReader::ExpansionReader(CPlimoDoc& document, QProgressBar& progress, QObject* parent)
    : QObject(parent), document_(document), progress_(progress), worker_(new QObject) {
    worker_->moveToThread(&thread_);
    thread_.setObjectName("read when open");
    thread_.start();
    progress_.setFormat("%v / %m");
    progress_.hide();
}

ExpansionReader::~ExpansionReader() {
    drop();
    thread_.quit();
    thread_.wait();
    delete worker_;
}

void ExpansionReader::read(const std::vector<Parameter*>& parameters) {
    const int generation = generation_;
    for (Parameter* parameter : parameters) {
        ++outstanding_;
        ++total_;
        QMetaObject::invokeMethod(
            worker_, [this, generation, parameter] { readOne(generation, parameter); }, Qt::QueuedConnection);
    }
    // Not at once: a branch opens inside the tree's own expanding, which a change of the
    // window's layout would disturb.
    QMetaObject::invokeMethod(this, &ExpansionReader::showProgress, Qt::QueuedConnection);
}

void ExpansionReader::drop() {
    ++generation_;
    outstanding_ = 0;
    showProgress();
    std::lock_guard lock(execution_);
}

// On the reader's thread.
void ExpansionReader::readOne(int generation, Parameter* parameter) {
    {
        std::lock_guard lock(execution_);
        // Dropped reads touch nothing: their parameters may be gone.
        if (generation != generation_) return;
        // An edit made since the branch was opened is the person's, not to be overwritten.
        if (!parameter->valueChanged) {
            std::lock_guard link(app().linkLock());
            document_.ReadParameter(*parameter);
        }
    }
    QMetaObject::invokeMethod(
        this, [this, generation, parameter] { announce(generation, parameter); }, Qt::QueuedConnection);
}

void ExpansionReader::announce(int generation, Parameter* parameter) {
    if (generation != generation_) return;
    --outstanding_;
    emit parameterRead(parameter);
    showProgress();
}

void ExpansionReader::showProgress() {
    if (outstanding_ == 0) {
        total_ = 0;
        progress_.hide();
        return;
    }
    progress_.setRange(0, total_);
    progress_.setValue(total_ - outstanding_);
    progress_.show();
}

}  // namespace vantor::gui
