#pragma once
// Serves a module line on a terminal: reads what the configurator sends, hands it to the
// module, and writes the replies back, at once or at the pace of a real line.

#include <chrono>
#include <deque>
#include <string>

#include "sim/frame_log.h"
#include "sim/module_line.h"
#include "sim/terminal.h"

namespace vantor::sim {

struct ServeSettings {
    bool wireTime = false;        // replies wait for the request to have arrived and go out char by char
    int turnaroundMs = 1;         // the module's pause between request and reply on a timed line
    bool pseudoTerminal = false;  // check the client's line settings against the module's
};

class LineServer {
public:
    LineServer(Terminal& terminal, ModuleLine& line, FrameLog& log, ServeSettings settings);

    // Serves until `stopFd` becomes readable; false (with the reason) when the terminal
    // fails or is hung up (a serial device unplugged).
    bool run(int stopFd, std::string& error);

private:
    using Clock = std::chrono::steady_clock;
    struct Outgoing {
        std::string characters;
        std::size_t sent = 0;
        Clock::time_point start;
        std::chrono::nanoseconds perCharacter{0};  // zero: all at once
    };

    void received(const std::string& bytes, Clock::time_point now);
    void schedule(const LineExchange& exchange, Clock::time_point now);
    // Writes what is due; the time until more is due, or nothing when the queue is empty.
    std::optional<Clock::duration> flush(Clock::time_point now, std::string& error);
    // New settings hold once the replies sent with the old ones have left.
    void settingsChanged(const NetworkSettings& settings);
    // The text for a line that was hung up or has vanished.
    std::string lineGone() const;

    Terminal& terminal_;
    ModuleLine& line_;
    FrameLog& log_;
    ServeSettings settings_;
    std::deque<Outgoing> queue_;
    Clock::time_point frameStart_;
};

}  // namespace vantor::sim
