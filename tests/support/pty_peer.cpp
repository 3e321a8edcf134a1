#include "support/pty_peer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace vantor::test {

std::size_t PtyPeer::upToCarriageReturn(std::string_view buffered) {
    const std::size_t end = buffered.find('\r');
    return end == std::string_view::npos ? 0 : end + 1;
}

PtyPeer::Splitter PtyPeer::fixedLength(std::size_t length) {
    return [length](std::string_view buffered) { return buffered.size() >= length ? length : 0; };
}

PtyPeer::PtyPeer() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) throw std::runtime_error("no pseudo-terminal");
    devicePath_ = ptsname(master_);
    slave_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) throw std::runtime_error("cannot open " + devicePath_);
    termios raw;
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
    stopFd_ = eventfd(0, EFD_CLOEXEC);
}

PtyPeer::~PtyPeer() {
    hangUp();
    ::close(stopFd_);
}

void PtyPeer::hangUp() {
    stop();
    for (int* fd : {&slave_, &master_}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
}

void PtyPeer::start(Responder responder, Splitter splitter) {
    stop();
    responder_ = std::move(responder);
    splitter_ = std::move(splitter);
    thread_ = std::thread([this] { run(); });
}

void PtyPeer::stop() {
    if (!thread_.joinable()) return;
    const std::uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(stopFd_, &one, sizeof one);
    thread_.join();
    std::uint64_t signalled;  // consumed, so that the peer can be started again
    [[maybe_unused]] auto read = ::read(stopFd_, &signalled, sizeof signalled);
}

std::vector<std::string> PtyPeer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::size_t PtyPeer::requestCount() const {
    std::lock_guard lock(mutex_);
    return requests_.size();
}

void PtyPeer::run() {
    std::string buffered;
    for (;;) {
        pollfd p[2] = {{stopFd_, POLLIN, 0}, {master_, POLLIN, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (p[0].revents) return;
        char chunk[256];
        const ssize_t n = ::read(master_, chunk, sizeof chunk);
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        if (n <= 0) continue;
        buffered.append(chunk, static_cast<std::size_t>(n));
        while (std::size_t length = splitter_(buffered)) {
            const std::string request = buffered.substr(0, length);
            buffered.erase(0, length);
            handle(request);
        }
    }
}

void PtyPeer::handle(const std::string& request) {
    if (request == kSync) {
        writeAll(kSync);
        return;
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    writeAll(responder_(request));
}

void PtyPeer::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (errno == EAGAIN) {
            // Nobody reads the other side: give up when the peer is stopped.
            pollfd p[2] = {{stopFd_, POLLIN, 0}, {master_, POLLOUT, 0}};
            if (::poll(p, 2, -1) > 0 && p[0].revents) return;
        } else if (errno != EINTR) {
            return;
        }
    }
}

}  // namespace vantor::test
