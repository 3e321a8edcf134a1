#pragma once
// Faults the simulator puts on purpose into what the module sends, to try the
// configurator's error handling: lost replies, damaged checksums, foreign hashes,
// line noise before the frame, device errors, late replies, a module that goes deaf.

#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace vantor::sim {

struct FaultSettings {
    double drop = 0;         // no reply
    double badSum = 0;       // a reply with a wrong checksum
    double badHash = 0;      // a reply under another hash
    double garbage = 0;      // noise before the "#"
    double deviceError = 0;  // an "n.Err" reply instead of the answer
    int slowMs = 0;          // every reply this much later
    long deafAfter = -1;     // silent after this many frames; -1 never

    bool any() const;
};

// Adds one "--fault" item ("drop=P", "badsum=P", "badhash=P", "garbage=P", "nerr=P"
// with P from 0 to 1, "slow=MS", "deaf-after=N"); false with a reason on bad input.
bool addFault(const std::string& item, FaultSettings& settings, std::string& error);

class FaultInjector {
public:
    FaultInjector(FaultSettings settings, std::uint32_t seed) : settings_(settings), random_(seed) {}

    // What goes back for one received frame: `reply` is the module's answer (nothing
    // when it keeps quiet), `addressLength` the one it answers with.
    std::optional<std::string> apply(std::optional<std::string> reply, int addressLength);
    // The extra wait before every reply.
    int delayMs() const { return settings_.slowMs; }

private:
    bool happens(double probability);

    FaultSettings settings_;
    std::mt19937 random_;
    long frames_ = 0;
};

}  // namespace vantor::sim
