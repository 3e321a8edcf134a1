#include "sim/terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace vantor::sim {
namespace {

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what + ": " + std::strerror(errno)); }

tcflag_t dataBitsFlag(int bits) {
    switch (bits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

int dataBitsOf(tcflag_t cflag) {
    switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

}  // namespace

bool setRawFormat(int fd, const LineSettings& settings) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= dataBitsFlag(settings.dataBits) | CLOCAL | CREAD;
    if (settings.parity != Parity::None) tio.c_cflag |= PARENB;
    if (settings.parity == Parity::Odd) tio.c_cflag |= PARODD;
    if (settings.stopBits == 2) tio.c_cflag |= CSTOPB;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

Terminal Terminal::openPseudo(const LineSettings& settings) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) fail("posix_openpt");
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        close(master);
        fail("grantpt/unlockpt");
    }
    const char* name = ptsname(master);
    if (!name) {
        close(master);
        fail("ptsname");
    }
    std::string path = name;
    const int far = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (far < 0) {
        close(master);
        fail("open " + path);
    }
    Terminal terminal(master, far, path);
    const LineSettings probe{9600, Parity::Odd, 7, 1};
    terminal.carriesFormat_ = setRawFormat(far, probe) && terminal.currentSettings() == probe;
    // The far end starts raw so that nothing is echoed back before a client sets it up.
    if (!terminal.apply(settings)) fail("termios " + path);
    return terminal;
}

Terminal Terminal::openDevice(const std::string& path, const LineSettings& settings) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) fail("open " + path);
    Terminal terminal(fd, -1, path);
    if (!terminal.apply(settings)) fail("termios " + path);
    return terminal;
}

Terminal::Terminal(Terminal&& other) noexcept : fd_(other.fd_), farFd_(other.farFd_), path_(std::move(other.path_)) {
    other.fd_ = other.farFd_ = -1;
}

Terminal::~Terminal() {
    if (farFd_ >= 0) close(farFd_);
    if (fd_ >= 0) close(fd_);
}

std::optional<LineSettings> Terminal::currentSettings() const {
    const int fd = farFd_ >= 0 ? farFd_ : fd_;
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return std::nullopt;
    LineSettings settings;
    settings.baud = lineSpeed(fd);
    settings.dataBits = dataBitsOf(tio.c_cflag);
    settings.stopBits = (tio.c_cflag & CSTOPB) ? 2 : 1;
    settings.parity = !(tio.c_cflag & PARENB) ? Parity::None : (tio.c_cflag & PARODD) ? Parity::Odd : Parity::Even;
    return settings;
}

bool Terminal::apply(const LineSettings& settings) const {
    const int fd = farFd_ >= 0 ? farFd_ : fd_;
    LineSettings format = settings;
    if (!carriesFormat_) format.parity = Parity::None, format.dataBits = 8;
    return setRawFormat(fd, format) && setLineSpeed(fd, settings.baud) && (farFd_ < 0 || setRawFormat(fd_, format));
}

}  // namespace vantor::sim
