#include "link/sio.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <utility>

namespace vantor {

namespace {

using Clock = SerialPort::Clock;
constexpr auto kWriteWait = std::chrono::milliseconds(1000);
constexpr char kEventCharacter = '\r';
// The rates the port opens with; a module runs at fewer of them (params/module_baud_rates.h).
constexpr std::array<std::uint32_t, 15> kPortBaudRates = {110,   300,   600,   1200,  2400,  4800,   9600,  14400,
                                                          19200, 28800, 38400, 56000, 57600, 115200, 128000};

// The status of a wait or write that did not end as hoped (other than a time-out).
int failureStatus(WaitResult result) {
    return result == WaitResult::Disconnected ? kTransactDisconnected : kTransactFailed;
}

// Parity code to line parity; false for codes the port does not know.
bool parityOfCode(std::uint32_t code, Parity& parity) {
    switch (code) {
    case 0:
    case 3: parity = Parity::None; return true;
    case 1: parity = Parity::Even; return true;
    case 2: parity = Parity::Mark; return true;
    case 4: parity = Parity::Odd; return true;
    case 5: parity = Parity::Space; return true;
    default: return false;
    }
}

}  // namespace

int Sio::Open() {
    std::lock_guard lock(portMutex_);
    // The port is exclusive: a second open would fail, and must not disturb this one.
    if (port_.isOpen()) return -1;
    characterTime_ = 0;
    responseTimeout_ = 0;
    if (!port_.open(serialDevicePath(portName))) return -1;
    if (!port_.stateReadable()) return -2;

    LineFormat format;
    if (!parityOfCode(parityCode, format.parity)) return -2;
    if (dataBits < 5 || dataBits > 8) return -3;
    if (stopBits != 1 && stopBits != 2) return -2;
    if (std::find(kPortBaudRates.begin(), kPortBaudRates.end(), baudRate) == kPortBaudRates.end()) return -2;
    format.baudRate = baudRate;
    format.dataBits = static_cast<int>(dataBits);
    format.stopBits = static_cast<int>(stopBits);

    const int parityBit = format.parity == Parity::None ? 0 : 1;
    characterTime_ = static_cast<float>(1 + dataBits + parityBit + stopBits) * 1000.0f / static_cast<float>(baudRate);
    if (!port_.applyFormat(format)) return -2;
    port_.setRts(false);

    timeouts_.readInterval = static_cast<std::uint32_t>(std::ceil(1.5f * characterTime_));
    timeouts_.readTotalMultiplier =
        static_cast<std::uint32_t>(std::ceil(static_cast<float>(timeouts_.readInterval) + characterTime_));
    timeouts_.readTotalConstant = 100;
    timeouts_.writeTotalMultiplier = 10;
    timeouts_.writeTotalConstant = 500;
    responseTimeout_ = static_cast<std::uint16_t>(30 * timeouts_.readTotalMultiplier + 100);

    purge(2);
    return 0;
}

int Sio::Close() {
    std::lock_guard lock(portMutex_);
    if (!port_.isOpen()) return -2;
    const int purged = purge(2);
    port_.close();
    return purged;
}

int Sio::Purge(int which) {
    std::lock_guard lock(portMutex_);
    return purge(which);
}

int Sio::purge(int which) {
    if (!port_.isOpen()) return -2;
    if (which < 0 || which > 2) return 0;
    return port_.purge(which != 1, which != 0) ? 0 : -1;
}

bool Sio::isOpen() const {
    std::lock_guard lock(portMutex_);
    return port_.isOpen();
}

bool Sio::stateReadable() const {
    std::lock_guard lock(portMutex_);
    return port_.stateReadable();
}

float Sio::characterTime() const {
    std::lock_guard lock(portMutex_);
    return characterTime_;
}

std::uint16_t Sio::responseTimeout() const {
    std::lock_guard lock(portMutex_);
    return responseTimeout_;
}

LineTimeouts Sio::lineTimeouts() const {
    std::lock_guard lock(portMutex_);
    return timeouts_;
}

bool Sio::applyLineTimeouts(const LineTimeouts& timeouts) {
    std::lock_guard lock(portMutex_);
    if (!port_.isOpen()) return false;
    timeouts_ = timeouts;
    return true;
}

template <typename Step>
int Sio::onOpenPort(std::string& reply, Step step) {
    std::lock_guard lock(portMutex_);
    reply.clear();
    if (!port_.isOpen()) return kTransactFailed;
    // The state was readable at Open: a port that no longer answers for it is gone.
    int status = port_.stateReadable() ? step() : kTransactDisconnected;
    // Nothing more comes from a vanished line. Its descriptor goes at once, so that the
    // device can come back under its name and Open can take it again.
    if (status == kTransactDisconnected) port_.close();
    return status;
}

int Sio::Transact(std::string_view request, std::string& reply) {
    return onOpenPort(reply, [&] { return exchange(request, reply); });
}

int Sio::Listen(std::string& reply) {
    return onOpenPort(reply, [&] { return receive(replyEndsAtFirstCharacter, reply); });
}

int Sio::exchange(std::string_view request, std::string& reply) {
    // Whatever still waits on the line (a late reply, noise) is no answer to this request.
    port_.purge(true, true);
    unread_.clear();
    // Modbus RTU has no end character: its reply is whatever has arrived when the first
    // character is seen.
    const bool firstCharacterEnds = replyEndsAtFirstCharacter;
    if (const int sent = transmit(request); sent != kTransactDone) return sent;
    replyDeadline_ = Clock::now() + std::chrono::milliseconds(responseTimeout_);
    return receive(firstCharacterEnds, reply);
}

int Sio::transmit(std::string_view request) {
    const bool programDrivesRts = adapterMode == kAdapterZk7;
    // Where the driver has RS-485 mode, it holds RTS exactly while the frame leaves.
    const bool kernelDrivesRts = programDrivesRts && port_.setKernelRs485(true);
    if (!programDrivesRts) port_.setKernelRs485(false);

    if (!programDrivesRts || kernelDrivesRts) {
        const WaitResult written = port_.write(request, Clock::now() + kWriteWait, stop_);
        return written == WaitResult::Ready ? kTransactDone : failureStatus(written);
    }

    // One character at a time, one character time after each, so RTS is not dropped
    // before the last character is on the line. A write that cannot go out in time
    // does not end the frame; only the stop event or a vanished line does.
    const bool hasModemLines = port_.setRts(true);
    int status = kTransactDone;
    for (char c : request) {
        const WaitResult written = port_.write(std::string_view(&c, 1), Clock::now() + kWriteWait, stop_);
        if (written == WaitResult::Stopped || written == WaitResult::Disconnected) {
            status = failureStatus(written);
            break;
        }
        WaitCharacterTimes(characterTime_);
    }
    if (hasModemLines) {
        port_.drain();
        port_.setRts(false);
    }
    return status;
}

int Sio::receive(bool firstCharacterEnds, std::string& reply) {
    // Only the first 31 characters are kept, however much a line streams before its
    // end character (or until the time-out). What came after the end character is the
    // start of the next reply, should the link listen on.
    std::string chunk = std::exchange(unread_, std::string());
    for (;;) {
        if (!chunk.empty()) {
            const std::size_t end = firstCharacterEnds ? 0 : chunk.find(kEventCharacter);
            const bool ended = end != std::string::npos;
            if (ended && !firstCharacterEnds) {
                unread_ = chunk.substr(end + 1);
                chunk.resize(end + 1);
            }
            reply.append(chunk, 0, kReplyCapacity - reply.size());
            if (ended) return kTransactDone;
            // A line that keeps sending without the end character is cut off all the same.
            if (Clock::now() >= replyDeadline_) return kTransactTimeout;
        }
        const WaitResult ready = port_.waitReadable(replyDeadline_, stop_);
        if (ready == WaitResult::TimedOut) return kTransactTimeout;
        if (ready != WaitResult::Ready) return failureStatus(ready);
        chunk.clear();
        bool lineError = false;
        if (const WaitResult read = port_.readQueued(chunk, lineError); read != WaitResult::Ready)
            return failureStatus(read);
        if (lineError) return kTransactLineError;
    }
}

void WaitCharacterTimes(float ms) {
    if (!(ms > 0)) return;
    const auto target = Clock::now() + std::chrono::duration<double, std::milli>(ms);
    while (Clock::now() < target) {}
}

}  // namespace vantor
