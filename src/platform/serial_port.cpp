#include "platform/serial_port.h"

// The kernel's termios2 carries any baud rate (the module line uses rates such as 14400
// and 128000 that have no B-constant); it cannot share a unit with <termios.h>.
#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QSerialPortInfo>
#include <cctype>
#include <cerrno>

namespace vantor {

// ---- StopEvent ------------------------------------------------------------------

StopEvent::StopEvent() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

StopEvent::~StopEvent() {
    if (fd_ >= 0) ::close(fd_);
}

void StopEvent::set() {
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(fd_, &one, sizeof one);
}

void StopEvent::reset() {
    std::uint64_t value;
    [[maybe_unused]] auto read = ::read(fd_, &value, sizeof value);
}

bool StopEvent::isSet() const { return waitFor(0); }

bool StopEvent::waitFor(int ms) const {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    pollfd p{fd_, POLLIN, 0};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int r = ::poll(&p, 1, left > 0 ? static_cast<int>(left) : 0);
        if (r >= 0 || errno != EINTR) return r > 0;
    }
}

// ---- LineMarkDecoder ------------------------------------------------------------

bool LineMarkDecoder::feed(std::string_view raw, std::string& data) {
    bool lineError = false;
    for (char c : raw) {
        const auto b = static_cast<unsigned char>(c);
        switch (pending_) {
        case 0:
            if (b == 0xFF)
                pending_ = 1;
            else
                data.push_back(c);
            break;
        case 1:
            if (b == 0xFF) {
                data.push_back(c);
                pending_ = 0;
            } else {
                pending_ = 2;  // 0xFF 0x00: the marked character follows
            }
            break;
        default:
            lineError = true;
            pending_ = 0;
            break;
        }
    }
    return lineError;
}

// ---- SerialPort -----------------------------------------------------------------

bool isDisconnection(int errorNumber) { return errorNumber == EIO || errorNumber == ENXIO || errorNumber == ENODEV; }

SerialPort::~SerialPort() { close(); }

bool SerialPort::open(const std::string& devicePath) {
    if (fd_ >= 0) return false;
    fd_ = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) return false;
    ::ioctl(fd_, TIOCEXCL);
    serial_rs485 rs485{};
    rs485Available_ = ::ioctl(fd_, TIOCGRS485, &rs485) == 0;
    rs485Found_ = rs485.flags;
    rs485Changed_ = false;
    marks_.reset();
    // Drivers without error counters (pseudo-terminals, many USB adapters) are not
    // asked again at every read.
    serial_icounter_struct counts{};
    countsErrors_ = ::ioctl(fd_, TIOCGICOUNT, &counts) == 0;
    errorsAtPurge_ = lineErrorCount();
    return true;
}

void SerialPort::close() {
    if (fd_ < 0) return;
    setKernelRs485(false);
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    rs485Available_ = rs485Changed_ = countsErrors_ = false;
}

bool SerialPort::stateReadable() const {
    termios2 t;
    return fd_ >= 0 && ::ioctl(fd_, TCGETS2, &t) == 0;
}

bool SerialPort::applyFormat(const LineFormat& format) {
    termios2 t;
    if (::ioctl(fd_, TCGETS2, &t) != 0) return false;
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (format.dataBits < 5 || format.dataBits > 8) return false;
    // Raw bytes; line errors marked in the input rather than dropped or hidden.
    t.c_iflag = INPCK | PARMRK;
    t.c_oflag = 0;
    t.c_lflag = 0;
    t.c_cflag = CREAD | CLOCAL | BOTHER | kSizes[format.dataBits - 5];
    if (format.stopBits == 2) t.c_cflag |= CSTOPB;
    switch (format.parity) {
    case Parity::None: break;
    case Parity::Even: t.c_cflag |= PARENB; break;
    case Parity::Odd: t.c_cflag |= PARENB | PARODD; break;
    case Parity::Mark: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Parity::Space: t.c_cflag |= PARENB | CMSPAR; break;
    }
    t.c_ispeed = t.c_ospeed = format.baudRate;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ::ioctl(fd_, TCSETS2, &t) == 0;
}

bool SerialPort::setRts(bool on) {
    int bits = TIOCM_RTS;
    return ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bits) == 0;
}

bool SerialPort::setKernelRs485(bool on) {
    if (!rs485Available_ || (!on && !rs485Changed_)) return false;
    serial_rs485 rs485{};
    if (::ioctl(fd_, TIOCGRS485, &rs485) != 0) return false;
    if (on) {
        rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
        rs485.flags &= ~static_cast<__u32>(SER_RS485_RTS_AFTER_SEND);
    } else {
        rs485.flags = rs485Found_;
    }
    if (::ioctl(fd_, TIOCSRS485, &rs485) != 0) return false;
    rs485Changed_ = on;
    return true;
}

bool SerialPort::purge(bool input, bool output) {
    if (!input && !output) return true;
    const int which = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    if (::ioctl(fd_, TCFLSH, which) != 0) return false;
    if (input) {
        marks_.reset();
        errorsAtPurge_ = lineErrorCount();
    }
    return true;
}

void SerialPort::drain() { ::ioctl(fd_, TCSBRK, 1); }

WaitResult SerialPort::waitFor(short events, Clock::time_point deadline, const StopEvent& stop) {
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p[2] = {{stop.fd(), POLLIN, 0}, {fd_, events, 0}};
        const int r = ::poll(p, 2, left > 0 ? static_cast<int>(left) : 0);
        if (r < 0 && errno == EINTR) continue;  // the deadline is taken anew
        if (r < 0) return WaitResult::Failed;
        if (p[0].revents) return WaitResult::Stopped;
        // A hung-up line reports itself readable and writable as well: the hang-up wins.
        if (p[1].revents & (POLLHUP | POLLERR)) return WaitResult::Disconnected;
        if (p[1].revents & POLLNVAL) return WaitResult::Failed;
        if (p[1].revents & events) return WaitResult::Ready;
        if (left <= 0) return WaitResult::TimedOut;
    }
}

WaitResult SerialPort::write(std::string_view bytes, Clock::time_point deadline, const StopEvent& stop) {
    while (!bytes.empty()) {
        const WaitResult ready = waitFor(POLLOUT, deadline, stop);
        if (ready != WaitResult::Ready) return ready;
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && isDisconnection(errno)) return WaitResult::Disconnected;
        if (n < 0 && errno != EAGAIN && errno != EINTR) return WaitResult::Failed;
        // Said to have room, yet nothing went out: the deadline still holds.
        if (Clock::now() >= deadline) return WaitResult::TimedOut;
    }
    return WaitResult::Ready;
}

WaitResult SerialPort::waitReadable(Clock::time_point deadline, const StopEvent& stop) {
    return waitFor(POLLIN, deadline, stop);
}

WaitResult SerialPort::readQueued(std::string& data, bool& lineError) {
    char buffer[256];
    // A line that never stops sending must not keep one call reading for ever: the
    // caller's wait, with its deadline and stop event, comes back between calls.
    for (std::size_t total = 0; total < kReadLimit;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) {
            lineError |= marks_.feed(std::string_view(buffer, static_cast<std::size_t>(n)), data);
            total += static_cast<std::size_t>(n);
            // A short read has taken all that was queued: asking again would only
            // cost a call per character on a fast line.
            if (static_cast<std::size_t>(n) < sizeof buffer) break;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && isDisconnection(errno)) return WaitResult::Disconnected;
        if (n < 0 && errno != EAGAIN) return WaitResult::Failed;
        // The terminal is readable only with a character queued, so a first read that
        // ends with nothing is the end of the line itself.
        if (n == 0 && total == 0) return WaitResult::Disconnected;
        break;
    }
    // Overruns are not marked in the input; drivers that count them say so here.
    if (lineErrorCount() != errorsAtPurge_) lineError = true;
    return WaitResult::Ready;
}

std::uint64_t SerialPort::lineErrorCount() const {
    serial_icounter_struct counts{};
    if (!countsErrors_ || ::ioctl(fd_, TIOCGICOUNT, &counts) != 0) return 0;
    return std::uint64_t(counts.frame) + counts.parity + counts.brk + counts.overrun + counts.buf_overrun;
}

// ---- names ----------------------------------------------------------------------

std::string serialDevicePath(const std::string& portName) {
    const bool comName = portName.size() > 3 && std::toupper(static_cast<unsigned char>(portName[0])) == 'C' &&
                         std::toupper(static_cast<unsigned char>(portName[1])) == 'O' &&
                         std::toupper(static_cast<unsigned char>(portName[2])) == 'M';
    if (!comName) return portName;
    int number = 0;
    for (std::size_t i = 3; i < portName.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(portName[i])) || number > 99999) return portName;
        number = number * 10 + (portName[i] - '0');
    }
    return number >= 1 ? "/dev/ttyS" + std::to_string(number - 1) : portName;
}

std::string ListSerialPorts() {
    std::string names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!names.empty()) names += ':';
        names += info.systemLocation().toStdString();
    }
    return names;
}

}  // namespace vantor
