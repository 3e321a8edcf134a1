#pragma once
// The serial port object of the device link: opens the port with the network settings,
// derives the line timings from the character format, and performs one
// transmit-then-receive step per Transact. Two RS-485 adapter kinds: one that switches
// the line direction itself (Auto) and "ZK-7", whose direction the program switches
// with RTS. Transact runs under the owner's frame lock; Open and Close under the link
// lock. Dialogs exchange under the frame lock alone, so the port keeps a lock of its own
// as well: Open, Close and Purge wait for a running transaction instead of closing its
// descriptor under it.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "link/line_transport.h"
#include "platform/serial_port.h"

namespace vantor {

enum AdapterMode : std::uint32_t {
    kAdapterZk7 = 0,  // the program raises RTS while it sends
    kAdapterAuto = 1,
};

// The five line time-outs of an open port, in milliseconds. Calibration dialogs read
// them, apply changed ones for one exchange and restore them; the wait for a reply is
// always the response time-out Open computed.
struct LineTimeouts {
    std::uint32_t readInterval = 0;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;
    bool operator==(const LineTimeouts&) const = default;
};

inline constexpr std::size_t kReplyCapacity = 31;

class Sio : public LineTransport {
public:
    // Settings: read by Open (line format) or by every Transact (adapter mode, which the
    // connection check switches while other threads may exchange).
    std::atomic<std::uint32_t> adapterMode = kAdapterAuto;
    // Set while the link speaks a protocol without an end character (Modbus RTU).
    std::atomic<bool> replyEndsAtFirstCharacter = false;
    std::string portName = "COM1";  // a device path, or "COMn" for /dev/ttyS(n-1)
    std::uint32_t baudRate = 9600;
    std::uint32_t parityCode = 3;  // 0 none, 1 even, 2 mark, 3 none, 4 odd, 5 space
    std::uint32_t stopBits = 1;
    std::uint32_t dataBits = 8;

    // 0 success; -1 cannot open (or this object already has a port open); -2 state
    // unreadable, or parity, stop bits or baud rate not supported; -3 data bits outside
    // 5..8. On -2 and -3 the port stays open, as the caller closes before reopening.
    int Open();
    // 0; -2 when not open (a transaction that found the line gone has closed it
    // already); -1 when purging failed (the port is closed all the same).
    int Close();
    // which: 0 receive buffer, 1 transmit buffer, 2 both, others nothing. 0 success,
    // -1 failure, -2 not open.
    int Purge(int which);
    // A TransactStatus. On kTransactDisconnected the port is closed, ready to be opened
    // again once the device is back.
    int Transact(std::string_view request, std::string& reply) override;
    // Until the deadline of the last Transact; no purge, nothing sent.
    int Listen(std::string& reply) override;

    bool isOpen() const;
    bool stateReadable() const;
    StopEvent& stopEvent() { return stop_; }

    float characterTime() const;            // ms per character
    std::uint16_t responseTimeout() const;  // ms
    LineTimeouts lineTimeouts() const;
    // False when the port is not open.
    bool applyLineTimeouts(const LineTimeouts& timeouts);

private:
    int purge(int which);
    int exchange(std::string_view request, std::string& reply);
    int transmit(std::string_view request);
    int receive(bool firstCharacterEnds, std::string& reply);
    // What Transact and Listen share: the call on an open port, which closes it when
    // the line has vanished.
    template <typename Step>
    int onOpenPort(std::string& reply, Step step);

    mutable std::mutex portMutex_;  // guards everything below but the stop event
    SerialPort port_;
    StopEvent stop_;
    LineTimeouts timeouts_;
    float characterTime_ = 0;
    std::uint16_t responseTimeout_ = 0;
    SerialPort::Clock::time_point replyDeadline_;  // of the last request sent
    std::string unread_;                           // received after the last reply's end
};

// Busy-waits `ms` milliseconds on the monotonic high-resolution clock: character times
// are far below what a sleep can resolve.
void WaitCharacterTimes(float ms);

}  // namespace vantor
