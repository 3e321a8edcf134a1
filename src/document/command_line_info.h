#pragma once
// The desktop program's command line: a configuration file and options introduced by
// "/" or "-", several options in one argument joined by "/" ("/read/port:3/bps:9600").
// Option names and values are read without regard to letter case; numbers as C reads
// them with "%i" (decimal, 0x hexadecimal, leading 0 octal).
//
// On this system an absolute file name begins with "/" too: an argument whose first
// "/"-separated piece is no option name is the file ("/srv/cfg/line4.vantor"), and an
// argument "--" ends the options. The values of "elog" and "exitevent" are a path and a
// name, which may hold "/" and whose case matters: each takes the rest of its argument,
// letter case kept, surrounding double quotes removed; put it last in its argument.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/app_state.h"

namespace vantor {

// Geometry bits of the command-line settings: which of x, y, w, h were given.
enum CommandLineGeometry : std::uint8_t {
    kGeometryX = 1u << 0,
    kGeometryY = 1u << 1,
    kGeometryW = 1u << 2,
    kGeometryH = 1u << 3,
};

// Adapter modes of "rs485".
enum CommandLineAdapterMode : std::uint8_t {
    kAdapterOptionAuto = 1,
    kAdapterOptionOff = 2,
    kAdapterOptionOn = 3,
};

// Parity codes of "prty".
enum CommandLineParity : std::uint8_t {
    kParityOptionEven = 1,
    kParityOptionOdd = 2,
    kParityOptionNone = 3,
};

inline constexpr std::size_t kAddressOptionLength = 5;
inline constexpr std::size_t kStopBitsOptionLength = 4;

class CmyCommandLineInfo {
public:
    // Parses into the application state's settings record, file and error-log path.
    CmyCommandLineInfo();
    // Parses into the given targets (cleared by the caller before the first argument).
    CmyCommandLineInfo(CommandLineSettings& settings, std::string& file, std::string& errorLogPath);

    // One argument as the program received it.
    void ParseParam(std::string_view argument);
    // Every argument after the program's name.
    void ParseCommandLine(int argc, const char* const* argv);

    // The name given with "exitevent"; empty when none was.
    const std::string& exitEventName() const { return exitEventName_; }
    // The error log given with "elog" that could not be created; the run keeps no error
    // log then. Empty when none failed.
    const std::string& unwritableErrorLog() const { return unwritableErrorLog_; }

private:
    // True when the argument held options (false: it is a file argument).
    bool parseOptionArgument(std::string_view argument);
    void applyOption(std::string_view name, std::string_view value);
    // "elog" and "exitevent", with their value as given.
    void applyNameOption(std::string_view name, std::string_view value);

    CommandLineSettings& settings_;
    std::string& file_;
    std::string& errorLogPath_;
    std::string exitEventName_;
    std::string unwritableErrorLog_;
    bool fileTaken_ = false;
    bool optionsEnded_ = false;
};

}  // namespace vantor
