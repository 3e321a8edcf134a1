#pragma once
// The operating system's serial port, as the device link needs it: raw 8-bit line with
// a chosen format, waits that a stop event ends at once, RTS control, the kernel's
// RS-485 direction control where the driver has it, and line errors (break, framing,
// parity, overrun) reported beside the received bytes.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantor {

// A manual-reset event that every serial wait watches beside the port, so that setting
// it from any thread ends the wait at once. Link threads use it as their stop signal.
class StopEvent {
public:
    StopEvent();
    ~StopEvent();
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;

    void set();
    void reset();
    bool isSet() const;
    // Waits at most `ms` milliseconds; true when the event is set.
    bool waitFor(int ms) const;
    int fd() const { return fd_; }

private:
    int fd_;
};

enum class Parity { None, Even, Odd, Mark, Space };

struct LineFormat {
    std::uint32_t baudRate = 9600;
    Parity parity = Parity::None;
    int dataBits = 8;
    int stopBits = 1;
};

// Disconnected: the line was hung up or has vanished (the far end of a pseudo-terminal
// closed, a USB adapter unplugged). Nothing more comes from the descriptor: close it,
// so that the device can come back under its name, and open the port anew.
enum class WaitResult { Ready, Stopped, TimedOut, Disconnected, Failed };

// Whether an error number of a read, write or control call says the line is gone.
bool isDisconnection(int errorNumber);

// Turns input read with line-error marks back into data: 0xFF 0xFF is a 0xFF data
// byte, 0xFF 0x00 c marks a character received with a break, framing or parity error.
// Marks split across reads are completed by the next feed.
class LineMarkDecoder {
public:
    // Appends the data bytes of `raw` to `data`; true when a line error was marked.
    bool feed(std::string_view raw, std::string& data);
    void reset() { pending_ = 0; }

private:
    int pending_ = 0;  // bytes of a mark seen so far
};

class SerialPort {
public:
    using Clock = std::chrono::steady_clock;

    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens the device for exclusive use; false when it cannot be opened.
    bool open(const std::string& devicePath);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    bool stateReadable() const;
    // Raw line with the format; false when the driver refuses it.
    bool applyFormat(const LineFormat& format);

    // False when the port has no modem lines (a pseudo-terminal); nothing else happens.
    bool setRts(bool on);
    // On: the driver raises RTS while it sends and drops it after the last character.
    // Off: the driver's own RS-485 setting found at open is given back. False where
    // the driver has no RS-485 mode (or nothing was changed).
    bool setKernelRs485(bool on);

    bool purge(bool input, bool output);
    // Waits until every written character has left the port.
    void drain();

    // Writes all bytes, waiting for room until `deadline`; a set stop event wins.
    WaitResult write(std::string_view bytes, Clock::time_point deadline, const StopEvent& stop);
    // Ready once something can be read. The deadline holds whatever the line reports;
    // a hang-up is Disconnected.
    WaitResult waitReadable(Clock::time_point deadline, const StopEvent& stop);
    // Reads what is queued now, at most kReadLimit bytes, after waitReadable said
    // Ready: Ready with the data (possibly none, when only part of a line-error mark
    // came), Disconnected when the readable line gave nothing at all, Failed on a read
    // failure.
    WaitResult readQueued(std::string& data, bool& lineError);
    static constexpr std::size_t kReadLimit = 4096;

private:
    WaitResult waitFor(short events, Clock::time_point deadline, const StopEvent& stop);
    std::uint64_t lineErrorCount() const;

    int fd_ = -1;
    bool rs485Available_ = false;
    bool rs485Changed_ = false;     // the driver's setting differs from the one found at open
    std::uint32_t rs485Found_ = 0;  // the driver's RS-485 flags at open
    bool countsErrors_ = false;     // the driver keeps line error counters
    std::uint64_t errorsAtPurge_ = 0;
    LineMarkDecoder marks_;
};

// The device path of a port name: "COMn" is /dev/ttyS(n-1), anything else is a path.
std::string serialDevicePath(const std::string& portName);

// The system's serial ports as device paths joined by ':' (empty when there are none).
std::string ListSerialPorts();

}  // namespace vantor
