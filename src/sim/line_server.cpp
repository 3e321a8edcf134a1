#include "sim/line_server.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/serial_port.h"
#include "text/texts.h"

namespace vantor::sim {
namespace {

std::chrono::nanoseconds characterTime(const LineSettings& line) {
    return std::chrono::nanoseconds(static_cast<long long>(line.characterMicros() * 1000.0));
}

// A real module has a processor of its own; this one shares the machine. A timer may
// fire 50 µs late by default, more than half a character time at the fastest rates,
// and on a busy machine a woken thread may wait a millisecond for a processor: the
// serving thread asks for exact timers and, where it is allowed to, for the real-time
// class (its loop only ever waits, it never spins).
void keepCharacterTimes() {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const sched_param lowestRealTime{sched_get_priority_min(SCHED_FIFO)};
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &lowestRealTime);
}

std::string describe(const LineSettings& line) {
    return std::to_string(line.baud) + " " + parityName(line.parity) + " " + std::to_string(line.dataBits) + "/" +
           std::to_string(line.stopBits);
}

}  // namespace

std::string LineServer::lineGone() const { return FormatText(Text("IDS_PORT_DISCONNECTED"), terminal_.path()); }

LineServer::LineServer(Terminal& terminal, ModuleLine& line, FrameLog& log, ServeSettings settings)
    : terminal_(terminal), line_(line), log_(log), settings_(settings) {
    // Never wait on the line: a stop request must be heard even when nobody reads.
    const int flags = fcntl(terminal_.fd(), F_GETFL);
    if (flags >= 0) fcntl(terminal_.fd(), F_SETFL, flags | O_NONBLOCK);
}

void LineServer::received(const std::string& bytes, Clock::time_point now) {
    // A pseudo-terminal carries bytes whatever the settings; a real line would garble
    // them when both ends disagree, so the module hears nothing then.
    if (settings_.pseudoTerminal) {
        auto client = terminal_.currentSettings();
        LineSettings own = line_.module().settings().line;
        if (client && !terminal_.carriesCharacterFormat()) {
            client->parity = own.parity;
            client->dataBits = own.dataBits;
        }
        if (client && !(*client == own)) {
            log_.write("!", "line settings differ (client " + describe(*client) + ", module " + describe(own) +
                                "), ignored: " + bytes);
            return;
        }
    }
    if (!line_.inFrame()) frameStart_ = now;
    for (const LineExchange& exchange : line_.receive(bytes)) {
        log_.write("<", exchange.received);
        if (exchange.reply) schedule(exchange, now);
    }
}

void LineServer::schedule(const LineExchange& exchange, Clock::time_point now) {
    Outgoing outgoing;
    outgoing.characters = *exchange.reply;
    outgoing.start = now;
    if (settings_.wireTime) {
        const auto perCharacter = characterTime(exchange.replySettings.line);
        const auto arrived = std::chrono::time_point_cast<Clock::duration>(
            frameStart_ + perCharacter * static_cast<long long>(exchange.received.size()));
        outgoing.start = std::max(now, arrived) + std::chrono::milliseconds(settings_.turnaroundMs);
        outgoing.perCharacter = perCharacter;
    }
    outgoing.start += std::chrono::milliseconds(line_.extraDelayMs());
    if (!queue_.empty()) {
        const Outgoing& last = queue_.back();
        const auto lastEnds = std::chrono::time_point_cast<Clock::duration>(
            last.start + last.perCharacter * static_cast<long long>(last.characters.size()));
        outgoing.start = std::max(outgoing.start, lastEnds);
    }
    queue_.push_back(std::move(outgoing));
}

void LineServer::settingsChanged(const NetworkSettings& settings) {
    log_.write("!", "now at address " + std::to_string(settings.address) + " (" +
                        std::to_string(settings.addressLength) + "-bit), " + describe(settings.line));
    if (!settings_.pseudoTerminal) terminal_.apply(settings.line);
}

std::optional<LineServer::Clock::duration> LineServer::flush(Clock::time_point now, std::string& error) {
    while (!queue_.empty()) {
        Outgoing& head = queue_.front();
        // On a timed line a character can be read once its last bit is in, one
        // character time after it began.
        const auto firstDue = std::chrono::time_point_cast<Clock::duration>(head.start + head.perCharacter);
        if (now < firstDue) return firstDue - now;
        std::size_t due = head.characters.size();
        if (head.perCharacter.count() > 0)
            due = std::min<std::size_t>(due, static_cast<std::size_t>((now - head.start) / head.perCharacter));
        bool lineFull = false;
        while (head.sent < due && !lineFull) {
            const ssize_t written = ::write(terminal_.fd(), head.characters.data() + head.sent, due - head.sent);
            if (written >= 0)
                head.sent += static_cast<std::size_t>(written);
            else if (errno == EAGAIN)
                lineFull = true;
            else if (isDisconnection(errno)) {
                error = lineGone();
                return std::nullopt;
            } else if (errno != EINTR) {
                error = std::string("write: ") + std::strerror(errno);
                return std::nullopt;
            }
        }
        if (lineFull) {
            // Nobody takes the characters off the line: like a real module's, they are lost.
            log_.write("!", "nobody reads the line, reply lost: " + head.characters);
        } else if (head.sent < head.characters.size()) {
            return head.start + head.perCharacter * static_cast<long long>(head.sent + 1) - now;
        } else {
            log_.write(">", head.characters);
        }
        queue_.pop_front();
    }
    return std::nullopt;
}

bool LineServer::run(int stopFd, std::string& error) {
    if (settings_.wireTime) keepCharacterTimes();
    NetworkSettings listening = line_.module().settings();
    for (;;) {
        const auto wait = flush(Clock::now(), error);
        if (!error.empty()) return false;
        if (!(line_.module().settings() == listening) && queue_.empty()) {
            listening = line_.module().settings();
            settingsChanged(listening);
        }
        pollfd fds[2] = {{terminal_.fd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        timespec timeout{};
        if (wait) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(*wait).count();
            timeout.tv_sec = static_cast<time_t>(ns / 1000000000);
            timeout.tv_nsec = static_cast<long>(ns % 1000000000);
        }
        const int ready = ppoll(fds, 2, wait ? &timeout : nullptr, nullptr);
        if (ready < 0) {
            if (errno == EINTR) continue;
            error = std::string("poll: ") + std::strerror(errno);
            return false;
        }
        if (fds[1].revents) return true;
        // A hung-up line (a serial device unplugged) reports itself readable as well,
        // and its reads give nothing: the hang-up wins, or the loop would never wait.
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            error = lineGone();
            return false;
        }
        if (fds[0].revents & POLLIN) {
            char buffer[512];
            const ssize_t count = ::read(terminal_.fd(), buffer, sizeof buffer);
            if (count > 0) {
                received(std::string(buffer, static_cast<std::size_t>(count)), Clock::now());
            } else if (count == 0 || isDisconnection(errno)) {
                error = lineGone();
                return false;
            } else if (errno != EINTR && errno != EAGAIN) {
                error = std::string("read: ") + std::strerror(errno);
                return false;
            }
        }
    }
}

}  // namespace vantor::sim
