// What the programs' command lines refuse before they do any work: numbers out of their
// range (never wrapped or cut), values the line or the module cannot take, empty words.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/run_program.h"

namespace vantor {
namespace {

using test::ProgramRun;
using test::runProgram;

struct Refusal {
    std::string program;
    std::vector<std::string> args;
    std::string message;  // the first line on stderr, after "PROGRAM[ COMMAND]: "
};

void expectRefused(const Refusal& c) {
    SCOPED_TRACE(c.message);
    const ProgramRun run = runProgram(c.program, c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    const std::string command = c.program == "vantorctl" ? " " + c.args.front() : "";
    const std::string head = c.program + command + ": " + c.message + "\nusage: " + c.program;
    EXPECT_EQ(run.err.substr(0, head.size()), head) << run.err;
}

TEST(CommandLine, NumbersOutsideTheirRangeAreRefusedNamingOptionAndRange) {
    const Refusal cases[] = {
        {"vantorctl",
         {"describe", "--model", "4294967310"},
         "--model takes a model name or index from 0 to 22, not '4294967310'"},
        {"vantorctl",
         {"describe", "--model", "4294967296"},
         "--model takes a model name or index from 0 to 22, not '4294967296'"},
        {"vantorctl",
         {"describe", "--model", "0", "--firmware", "99999999999.1"},
         "--firmware takes MAJ.MIN, two whole numbers from 0 to 2147483647, not '99999999999.1'"},
        {"vantorctl",
         {"describe", "--model", "0", "--firmware", "1.2.3"},
         "--firmware takes MAJ.MIN, two whole numbers from 0 to 2147483647, not '1.2.3'"},
        {"vantorctl",
         {"frame", "--addr", "2147483647", "--offset", "1", "dev"},
         "--addr takes a whole number from 0 to 2047, not '2147483647'"},
        {"vantorctl",
         {"frame", "--addr", "16", "--offset", "-2", "dev"},
         "--offset takes a whole number from -1 to 2047, not '-2'"},
        {"vantorctl", {"frame", "--addr", "300", "--offset", "-1", "dev"}, "address 300 is outside 0..255"},
        {"vantorctl", {"frame", "--addr", "250", "--offset", "6", "dev"}, "address 256 is outside 0..255"},
        {"vantorctl", {"raw", "--port", "/tmp/kq", "--addr", "300", "dev"}, "address 300 is outside 0..255"},
        {"vantorctl",
         {"encode", "--type", "STORED_DOT", "--decimals", "4294967297", "1"},
         "--decimals takes a whole number from 0 to 3, not '4294967297'"},
        {"vantor-sim",
         {"--model", "4294967310", "--pty"},
         "--model takes a model name or index from 0 to 22, not '4294967310'"},
        {"vantor-sim",
         {"--model", "0", "--pty", "--seed", "99999999999999999999"},
         "--seed takes a whole number from 0 to 4294967295, not '99999999999999999999'"},
        {"vantor-sim",
         {"--model", "0", "--pty", "--firmware", "99999999999.1"},
         "--firmware takes MAJ.MIN, two whole numbers from 0 to 2147483647, not '99999999999.1'"},
        {"vantor-sim",
         {"--model", "0", "--pty", "--address", "4294967312"},
         "--address takes a whole number from 0 to 2047, not '4294967312'"},
    };
    for (const Refusal& c : cases) expectRefused(c);
}

TEST(CommandLine, RawChecksTheLineSettingsBeforeOpeningThePort) {
    const std::string rates = "(2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200)";
    const Refusal cases[] = {
        {"vantorctl",
         {"raw", "--port", "/tmp/kq", "--baud", "1234", "dev"},
         "baud rate 1234 is not supported " + rates},
        {"vantorctl", {"raw", "--port", "/tmp/kq", "--baud", "0", "dev"}, "baud rate 0 is not supported " + rates},
        {"vantorctl",
         {"raw", "--port", "/tmp/kq", "--baud", "-9600", "dev"},
         "baud rate -9600 is not supported " + rates},
        {"vantorctl",
         {"raw", "--port", "/tmp/kq", "--data-bits", "9", "dev"},
         "--data-bits takes a whole number from 5 to 8, not '9'"},
        {"vantorctl",
         {"raw", "--port", "/tmp/kq", "--stop-bits", "3", "dev"},
         "--stop-bits takes a whole number from 1 to 2, not '3'"},
    };
    for (const Refusal& c : cases) expectRefused(c);
}

TEST(CommandLine, EmptyOrStrayWordsAreUsageErrors) {
    const Refusal cases[] = {
        {"vantorctl", {"text", ""}, "KEY is empty"},
        {"vantor-sim", {"--model", "0", "--pty", "extra"}, "unexpected argument 'extra'"},
        {"vantor-dat", {"list", "--all", "x.dat"}, "unknown option '--all'"},
    };
    for (const Refusal& c : cases) expectRefused(c);
}

}  // namespace
}  // namespace vantor
