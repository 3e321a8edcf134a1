// Device: starting and stopping its two threads and handing tasks to the
// communication thread.

#include <system_error>

#include "description/desc_branch.h"
#include "device/communication_thread.h"
#include "device/device.h"
#include "device/sampling_thread.h"
#include "platform/app_state.h"
#include "text/texts.h"

namespace vantor {

namespace {

void collectParameters(const DescBranch& branch, std::vector<Parameter*>& out) {
    branch.ForEachMember([&](Parameter& parameter) { out.push_back(&parameter); },
                         [&](DescBranch& sub) { collectParameters(sub, out); });
}

}  // namespace

Device::Device(UserInterface& ui) : ParameterLink(ui) {}

Device::~Device() { StopThreads(); }

bool Device::StartTask(OperationCode code, ObjectWithParameters& element) {
    if (isSingleParameterTask(code)) return false;
    return startTask(code, &element, nullptr);
}

bool Device::StartTask(OperationCode code, Parameter& single) {
    if (!isSingleParameterTask(code)) return false;
    return startTask(code, nullptr, &single);
}

bool Device::startTask(OperationCode code, ObjectWithParameters* element, Parameter* single) {
    std::lock_guard lock(threadsMutex_);
    if (communication_ && communication_->busy()) return false;
    cancelEvent().reset();
    progressDone = 0;
    if (!communication_) {
        try {
            communication_ = std::make_unique<CommunicationThread>(*this);
        } catch (const std::system_error&) {
            userInterface().message(Text("IDS_STRING695"), "", MessageIcon::Error, MessageButtons::Ok);
            return false;
        }
    }
    return communication_->start(code, element, single);
}

std::optional<TaskOutcome> Device::WaitTask() {
    CommunicationThread* thread = nullptr;
    {
        std::lock_guard lock(threadsMutex_);
        thread = communication_.get();
    }
    // StopThreads runs on the thread that starts and waits for tasks, so the thread
    // object outlives this wait.
    return thread ? thread->wait() : std::nullopt;
}

void Device::CancelTask() {
    cancelEvent().set();
    app().replaceResultFlags(1u << kResultCancelled);
}

int Device::StartScanThread(const DescBranch& scanners, SampleSink sink) {
    std::lock_guard lock(threadsMutex_);
    if (sampling_) return 0;
    std::vector<Parameter*> parameters;
    collectParameters(scanners, parameters);
    try {
        sampling_ = std::make_unique<SamplingThread>(*this, std::move(parameters), std::move(sink));
    } catch (const std::system_error&) {
        userInterface().message(Text("IDS_STRING691"), "Error", MessageIcon::Error, MessageButtons::Ok);
        return 1;
    }
    return 0;
}

void Device::StopThreads() {
    std::lock_guard lock(threadsMutex_);
    sio().stopEvent().set();
    // A tree walk in progress ends at its next parameter instead of running into the
    // stopped line parameter after parameter.
    cancelEvent().set();
    if (sampling_) sampling_->stop();
    sampling_.reset();
    if (communication_) communication_->stop();
    communication_.reset();
    sio().stopEvent().reset();
    cancelEvent().reset();
}

}  // namespace vantor
