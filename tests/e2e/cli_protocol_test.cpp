// vantorctl hash, frame and ports, run as a user runs them.

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/run_program.h"

namespace vantor {
namespace {

using CliRun = test::ProgramRun;

CliRun vantorctl(const std::vector<std::string>& args) { return test::runProgram("vantorctl", args); }

TEST(CliHash, OneLinePerNameWithTheNameAsGiven) {
    const CliRun run = vantorctl({"hash", "n.Err", "APLY", "INIT", "M.s.t.r.", "CHAr", "JuRD", "Addr", "addr", ""});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "n.Err\t0x0233\nAPLY\t0x8403\nINIT\t0x00E9\nM.s.t.r.\t0x5EA0\nCHAr\t0x3628\n"
              "JuRD\t0xBEAC\nAddr\t0x9F62\naddr\t0x9F62\n\t0x0000\n");
    EXPECT_EQ(run.err, "");
}

TEST(CliFrame, RequestFramesAsTheyGoOnTheLine) {
    const struct {
        std::vector<std::string> args;
        std::string line;
    } cases[] = {
        {{"Addr"}, "#HGHGPVMIRPTK"},
        {{"--read", "Addr"}, "#HGHGPVMIRPTK"},
        {{"--alen", "11", "--addr", "1000", "Addr"}, "#NTHGPVMIOPNV"},
        {{"--data", "00 10", "Addr"}, "#HGGIPVMIGGHGNKVO"},
        {{"--data", "0010", "Addr"}, "#HGGIPVMIGGHGNKVO"},
        {{"--addr", "3", "--offset", "-1", "Addr"}, "#VVHGPVMILLGH"},
        {{"--addr", "16", "--offset", "3", "Addr"}, "#HJHGPVMIVMTM"},
        {{"--index", "3", "Addr"}, "#HGHIPVMIGGGJNPUK"},
        {{"Addr", "--data", "0010", "--index", "3"}, "#HGGKPVMIGGHGGGGJVKKJ"},
    };
    for (const auto& c : cases) {
        const CliRun run = vantorctl([&] {
            std::vector<std::string> args{"frame"};
            args.insert(args.end(), c.args.begin(), c.args.end());
            return args;
        }());
        EXPECT_EQ(run.status, 0) << c.line << run.err;
        EXPECT_EQ(run.out, c.line + "\n");
        EXPECT_EQ(run.err, "") << c.line;
    }
}

TEST(CliFrame, BadArgumentsAreUsageErrors) {
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"frame"}, "no parameter name given"},
        {{"frame", "--data", "0G", "Addr"}, "not hex bytes: '0G'"},
        {{"frame", "--data", "001", "Addr"}, "not hex bytes: '001'"},
        {{"frame", "--bogus", "Addr"}, "unknown option '--bogus'"},
        {{"frame", "Addr", "INIT"}, "more than one name: 'Addr' and 'INIT'"},
        {{"frame", "--alen", "9", "Addr"}, "--alen must be 8 or 11"},
        {{"frame", "--addr", "x1", "Addr"}, "--addr takes a whole number from 0 to 2047, not 'x1'"},
        {{"frame", "--addr", "256", "Addr"}, "address 256 is outside 0..255"},
        {{"frame", "--alen", "11", "--addr", "2047", "--offset", "1", "Addr"}, "address 2048 is outside 0..2047"},
        {{"frame", "--read", "--data", "00", "Addr"}, "--read and --data exclude each other"},
        {{"frame", "--index", "65536", "Addr"}, "--index takes a whole number from 0 to 65535, not '65536'"},
        {{"frame", "--data", std::string(30, '0'), "--index", "1", "Addr"}, "at most 15 data bytes fit in a frame"},
        {{"frame", "Addr", "--addr"}, "--addr needs a value"},
        {{"hash"}, "no name given"},
        {{"ports", "extra"}, "unexpected argument 'extra'"},
    };
    for (const auto& c : cases) {
        const CliRun run = vantorctl(c.args);
        EXPECT_EQ(run.status, 2) << c.reason;
        EXPECT_EQ(run.out, "") << c.reason;
        const std::string head =
            "vantorctl " + c.args.front() + ": " + c.reason + "\nusage: vantorctl " + c.args.front();
        EXPECT_EQ(run.err.substr(0, head.size()), head);
    }
}

TEST(CliProtocol, HelpOfEachCommand) {
    for (const std::string command : {"hash", "frame", "ports"}) {
        const CliRun run = vantorctl({command, "--help"});
        EXPECT_EQ(run.status, 0) << command;
        EXPECT_EQ(run.out.rfind("usage: vantorctl " + command, 0), 0u) << run.out;
    }
}

// Which ports a machine has is its own affair; whatever they are, each is printed as the
// path of a character device on a line of its own, never twice.
TEST(CliPorts, OneDevicePathPerLine) {
    const CliRun run = vantorctl({"ports"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    if (!run.out.empty()) {
        EXPECT_EQ(run.out.back(), '\n');
    }
    std::set<std::string> seen;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        EXPECT_EQ(line.rfind("/dev/", 0), 0u) << line;
        EXPECT_TRUE(std::filesystem::is_character_file(line)) << line;
        EXPECT_TRUE(seen.insert(line).second) << "twice: " << line;
    }
}

}  // namespace
}  // namespace vantor
