#include "view/expansion_reader.h"

#include <QProgressBar>

#include "document/configuration_document.h"
#include "view/link_jobs.h"

namespace vantor::gui {

ExpansionReader::ExpansionReader(CPlimoDoc& document, LinkJobs& jobs, QProgressBar& progress, QObject* parent)
    : QObject(parent), document_(document), jobs_(jobs), progress_(progress) {
    progress_.setFormat("%v / %m");
    progress_.hide();
}

ExpansionReader::~ExpansionReader() { drop(); }

void ExpansionReader::read(const std::vector<Parameter*>& parameters) {
    for (Parameter* parameter : parameters) {
        ++outstanding_;
        ++total_;
        jobs_.run(
            [this, parameter] {
                // An edit made since the branch was opened is the person's, not to be overwritten.
                if (!parameter->valueChanged) document_.ReadParameter(*parameter);
            },
            [this, parameter] { announce(parameter); });
    }
    // Not at once: a branch opens inside the tree's own expanding, which a change of the
    // window's layout would disturb.
    QMetaObject::invokeMethod(this, &ExpansionReader::showProgress, Qt::QueuedConnection);
}

void ExpansionReader::drop() {
    jobs_.drop();
    outstanding_ = 0;
    showProgress();
}

void ExpansionReader::announce(Parameter* parameter) {
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
