#pragma once
// Program-wide state shared by the device link and the document: the outcome of the
// run as result bits, the command-line settings and the locks and events that
// serialise the link's work.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace vantor {

// Result bits: the process exit code is 200 + the lowest set bit.
enum ResultBit : int {
    kResultWriteFileMissing = 0,  // "write" asked, command-line file missing or empty
    kResultPortNotOpened = 1,
    kResultNoAnswer = 2,      // time-out, or five failed write attempts
    kResultTransmission = 3,  // serial error event or lost frame header
    kResultDeviceError = 4,   // the module answered with an error code
    kResultCancelled = 5,
    kResultNotRecognised = 6,
    // The read job could not store its file (a run that says nothing would look like a
    // success to the script that started it).
    kResultFileNotSaved = 7,
};

// Option bits of the command-line settings record.
enum CommandLineOption : std::uint32_t {
    kOptWrite = 1u << 0,
    kOptNetworkGiven = 1u << 1,
    kOptClose = 1u << 2,
    kOptAply = 1u << 3,
    kOptCalibrate = 1u << 4,
    kOptCommandLineMode = 1u << 5,
    kOptRead = 1u << 6,
};

// Mode bits of the command-line settings record.
enum CommandLineMode : std::uint8_t {
    kModeAutoreadOn = 1u << 0,
    kModeAutoreadOff = 1u << 1,
    kModeTest = 1u << 4,
    kModeSilent = 1u << 5,
};

struct CommandLineSettings {
    std::uint32_t options = 0;
    std::uint8_t geometry = 0;  // bit 0 x, 1 y, 2 w, 3 h given
    std::uint8_t mode = 0;      // bit 0 autoread on, 1 autoread off, 4 test, 5 silent
    std::uint8_t port = 0;
    std::uint32_t baudRate = 0;
    std::uint8_t parity = 0;  // 1 even, 2 odd, 3 none
    std::string address;      // at most 5 characters
    std::uint8_t dataBits = 0;
    std::string stopBits;  // at most 4 characters
    std::uint8_t addressLength = 0;
    std::uint8_t adapterMode = 0;  // 1 auto, 2 off, 3 on
    // A network option whose value the record cannot hold ("port:999999999999",
    // "addr:123456"): the run refuses it rather than use or keep another value.
    std::string refusedNetworkOption;
    std::int32_t x = 0, y = 0, w = 0, h = 0;
};

// An event in the manner of the link's job-done signal: automatic reset, so one
// waiter consumes one signal.
class AutoResetEvent {
public:
    explicit AutoResetEvent(bool signalled) : signalled_(signalled) {}
    void set();
    void wait();
    // Waits at most `ms` milliseconds; true when the event was signalled.
    bool waitFor(int ms);

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_;
};

class AppState {
public:
    // Result flags: every write is one atomic operation so no thread loses another's bit.
    void setResultBit(int bit) { resultFlags_.fetch_or(1u << bit); }
    void clearResultBit(int bit) { resultFlags_.fetch_and(~(1u << bit)); }
    void replaceResultFlags(std::uint32_t value) { resultFlags_.store(value); }
    // The link's conditional rules as one atomic step each, so a bit another thread sets
    // between the test and the store is not overwritten on a stale test.
    // Replaces the word with `value` only while it equals `expected`.
    bool replaceResultFlagsIf(std::uint32_t expected, std::uint32_t value) {
        return resultFlags_.compare_exchange_strong(expected, value);
    }
    // Replaces the word with `value` unless it equals `kept`.
    void replaceResultFlagsUnless(std::uint32_t kept, std::uint32_t value) {
        std::uint32_t current = resultFlags_.load();
        while (current != kept && !resultFlags_.compare_exchange_weak(current, value)) {}
    }
    std::uint32_t resultFlags() const { return resultFlags_.load(); }
    // 200 + lowest set bit, or 0 when no bit is set.
    int exitCode() const;

    // The chosen model's catalogue index, -1 while none is chosen.
    int currentModel() const { return currentModel_.load(); }
    void setCurrentModel(int model) { currentModel_.store(model); }

    int accessLevel() const { return accessLevel_.load(); }
    void setAccessLevel(int level) { accessLevel_.store(level); }

    CommandLineSettings& commandLine() { return commandLine_; }
    std::string& commandLineFile() { return commandLineFile_; }
    std::string& errorLogPath() { return errorLogPath_; }
    std::string& programDirectory() { return programDirectory_; }

    // The link lock is held for whole link commands, which may nest an exchange that
    // takes it again on the same thread.
    std::recursive_mutex& linkLock() { return linkLock_; }
    AutoResetEvent& jobDone() { return jobDone_; }

private:
    std::atomic<std::uint32_t> resultFlags_{0};
    std::atomic<int> currentModel_{-1};
    std::atomic<int> accessLevel_{0};
    CommandLineSettings commandLine_;
    std::string commandLineFile_;
    std::string errorLogPath_;
    std::string programDirectory_;
    std::recursive_mutex linkLock_;
    AutoResetEvent jobDone_{true};
};

// The one application state of the process.
AppState& app();

}  // namespace vantor
