#pragma once
// The command line of vantor-sim.

#include <optional>
#include <string>
#include <vector>

#include "protocol/foreign.h"
#include "sim/faults.h"
#include "sim/virtual_module.h"

namespace vantor::sim {

struct Options {
    int model = -1;
    NetworkSettings settings;
    std::string firmware = "1.0";
    bool pty = false;
    std::string link;    // symlink to the pseudo-terminal
    std::string device;  // a real serial port instead
    bool wireTime = false;
    int turnaroundMs = 1;
    std::optional<ProtocolMode> foreign;
    FaultSettings faults;
    // The "--calibration" items, checked; they apply over the state file's.
    std::vector<std::string> calibrationItems;
    std::uint32_t seed = 1;
    std::string stateFile;
    std::string logFile;
    std::string descriptionFile;  // the container; beside the program when empty
    // Which network settings the command line gave (a state file fills the others).
    bool addressGiven = false, lengthGiven = false, lineGiven = false;
};

extern const char* const kUsage;

// Parses the arguments after the program name. Nothing, with the reason in `error`,
// when they are wrong; `help` is set for --help.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error, bool& help);

}  // namespace vantor::sim
