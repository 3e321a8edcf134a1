// The communication thread's loop and the end of a task.

#include "device/communication_thread.h"

#include "device/device.h"
#include "elements/object_with_parameters.h"
#include "platform/app_state.h"
#include "platform/thread_priority.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

CommunicationThread::CommunicationThread(Device& device) : device_(device), thread_([this] { run(); }) {}

CommunicationThread::~CommunicationThread() { stop(); }

bool CommunicationThread::start(OperationCode code, ObjectWithParameters* element, Parameter* single) {
    {
        std::lock_guard lock(mutex_);
        if (running_ || stopping_) return false;
        pending_ = Task{code, element, single};
        running_ = true;
        outcome_.reset();
    }
    changed_.notify_all();
    return true;
}

std::optional<TaskOutcome> CommunicationThread::wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !running_; });
    return outcome_;
}

bool CommunicationThread::busy() const {
    std::lock_guard lock(mutex_);
    return running_;
}

void CommunicationThread::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void CommunicationThread::run() {
    SetCurrentThreadPriority(ThreadPriority::AboveNormal);
    for (;;) {
        if (closeBeforeNext_) {
            device_.CloseLine();
            closeBeforeNext_ = false;
        }
        Task task{};
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || pending_; });
            if (stopping_) {
                // A task handed over but never begun still ends its waiter.
                running_ = false;
                pending_.reset();
                changed_.notify_all();
                return;
            }
            task = *pending_;
            pending_.reset();
        }
        const TaskOutcome outcome = execute(task);
        {
            std::lock_guard lock(mutex_);
            outcome_ = outcome;
            running_ = false;
        }
        changed_.notify_all();
    }
}

TaskOutcome CommunicationThread::execute(const Task& task) {
    std::lock_guard linkLock(app().linkLock());
    TaskOutcome outcome;
    outcome.code = task.code;
    outcome.total = device_.progressTotal;
    if (!device_.portUsable()) {
        device_.ReopenLine();
        outcome.portReopened = true;
        closeBeforeNext_ = true;
    }

    if (isSingleParameterTask(task.code)) {
        device_.progressDone = 0;
        const int result = task.code == OperationCode::ReadOne ? device_.ReadParameter(*task.single, true)
                                                               : device_.WriteParameter(*task.single, 1);
        outcome.counts = {1, result != 0};
    } else if (task.code == OperationCode::ReadAll) {
        outcome.counts = task.element->ReadValues(device_);
    } else if (task.code == OperationCode::Compare) {
        outcome.counts = task.element->CompareValues(device_);
    } else {
        outcome.counts = task.element->WriteValues(device_, writeModeOf(task.code));
    }
    outcome.cancelled = device_.cancelled();
    // A read or comparison that the cancel event stopped leaves the parameter it stopped
    // at out of the handled ones although it was asked: counted here, it is not also
    // taken for one never reached.
    const bool walkStoppedAtFailure = outcome.cancelled && outcome.counts.exchangeFailures() > 0 &&
                                      (task.code == OperationCode::ReadAll || task.code == OperationCode::Compare);
    if (walkStoppedAtFailure && outcome.counts.handled < outcome.total) ++outcome.counts.handled;

    const bool writes = task.code == OperationCode::WriteAll || task.code == OperationCode::WriteChanges ||
                        task.code == OperationCode::WriteDefaults || task.code == OperationCode::WriteOne;
    // A write that wrote nothing has nothing for the module to take over.
    if (writes && outcome.counts.handled > 0 && outcome.counts.failed == 0) {
        const DeviceModelLink* model = device_.deviceModel;
        outcome.restartWanted = model && model->InitAfterWrite();
    }
    commandDone(outcome);
    return outcome;
}

namespace {

// "Task accomplished" only where every parameter was exchanged.
std::string closingLine(const TaskOutcome& outcome) {
    if (!outcome.failed()) return Text("IDS_STRING307");
    return FormatTextArgs(Text("IDS_TASK_FAILED"), outcome.failedOrMissed(), outcome.range());
}

}  // namespace

void CommunicationThread::commandDone(TaskOutcome& outcome) {
    UserInterface& ui = device_.userInterface();
    ui.progressLog("", device_.progressDone);
    ui.taskDone(closingLine(outcome));

    const bool stopping = device_.sio().stopEvent().isSet();
    if (device_.networkSettingsChanged.exchange(false)) {
        if (!stopping) {
            ui.requestApplyNetworkSettings();
            outcome.applyRequested = true;
        }
    } else if (outcome.restartWanted && !stopping) {
        std::string reason;
        outcome.initSent = device_.WriteInit(reason);
        if (!outcome.initSent) ui.message(Text("IDS_STRING179") + reason, "", MessageIcon::None, MessageButtons::Ok);
    }

    const CommandLineSettings& commandLine = app().commandLine();
    if (commandLine.options & kOptCommandLineMode) {
        if (commandLine.options & kOptRead) ui.requestSaveAfterRead();
        app().jobDone().set();
    }
    device_.cancelEvent().reset();
}

}  // namespace vantor
