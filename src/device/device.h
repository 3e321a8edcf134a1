#pragma once
// The document's device link: the exchange engine plus what needs the model catalogue,
// identifying the connected module ("dev", "ver", "tdev") and recovering a module that
// does not answer the native protocol (CheckConnection), and the two threads that do
// the link's long work: the communication thread (tasks of the wait dialog) and the
// sampling thread (sampled parameters). Both take the link lock before any exchange.

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>

#include "description/tree_description.h"
#include "device/operation_code.h"
#include "device/sampled_value.h"
#include "link/parameter_link.h"

namespace vantor {

// Bits of IdentifyDevice's answer.
enum IdentifyFlag : int {
    kIdentifyRecognised = 1,  // "dev" named a model of the catalogue
    kIdentifyAnswered = 2,    // the module answered "dev"
};

class CommunicationThread;
class SamplingThread;

class Device : public ParameterLink {
public:
    explicit Device(UserInterface& ui);
    // Stops the threads first: they use the link.
    ~Device() override;

    // Reads "dev" (and "tdev" for the strain-gauge pair) and "ver": makes the
    // recognised model the current one, unless the person chose one by hand, and keeps
    // the firmware version. With `showMessages` the findings are shown.
    int IdentifyDevice(bool showMessages);
    // Under the link lock: opens the port and looks for a catalogue module, waking it
    // from the foreign protocols and trying both adapter modes. `portFailed` is set
    // when the port cannot be opened at all. The protocol mode is native on return.
    bool CheckConnection(bool& portFailed);

    // What "#if ver" in a description compares; (-1, -1) until "ver" was read.
    FirmwareVersion firmware;
    // The person chose the model by hand: identification does not change it.
    std::atomic<bool> catalogueFixed{false};

    // Restarts the module: writes "INIT" and on success gives the module its moment to
    // come back (ended at once by the stop event). False with the module's reason.
    bool WriteInit(std::string& reason);

    // Hands a task to the communication thread, starting the thread when it is not
    // running: the element tasks (ReadAll, WriteAll, WriteChanges, Compare,
    // WriteDefaults; the write mode follows from the code) and the single-parameter
    // tasks (ReadOne, WriteOne). Resets the cancel event and the done count; the caller
    // sets progressTotal before. False when a task is still running, the code does not
    // fit the target, or the thread cannot be started (IDS_STRING695 is shown). The
    // element or parameter must live until WaitTask returns.
    bool StartTask(OperationCode code, ObjectWithParameters& element);
    bool StartTask(OperationCode code, Parameter& single);
    // Blocks until the task started last has ended (after CommandDone); none when no
    // task was started since the threads were last stopped.
    std::optional<TaskOutcome> WaitTask();
    // The wait dialog's Cancel: the running task stops at its next parameter.
    void CancelTask();
    // The sampling thread over the sampled parameters of `scanners` (sub-branches
    // included); every read goes to `sink`. 0 started or already running, 1 failed.
    int StartScanThread(const DescBranch& scanners, SampleSink sink);
    // Sets the stop event, which also breaks off a transaction waiting for its reply,
    // and the cancel event, which ends a tree walk at its next parameter; joins both
    // threads, then resets both events. Called on the thread that starts the tasks,
    // never from inside a task or a sampling sink.
    void StopThreads();

private:
    void switchAdapterMode();
    // Sends the native-mode request in `mode` up to twice, switching the adapter mode
    // after each failure; true when one was acknowledged.
    bool wakeUp(ProtocolMode mode);
    bool startTask(OperationCode code, ObjectWithParameters* element, Parameter* single);

    std::mutex threadsMutex_;  // guards the two pointers below
    std::unique_ptr<CommunicationThread> communication_;
    std::unique_ptr<SamplingThread> sampling_;
};

}  // namespace vantor
