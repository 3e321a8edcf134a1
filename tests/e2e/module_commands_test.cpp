// vantorctl's module commands against vantor-sim on a pseudo-terminal: identify, check,
// get, set, read and find as a service engineer runs them.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using test::BackgroundProgram;
using test::ProgramRun;
using test::readWholeFile;
using test::runProgram;
using test::temporaryPath;

// A KQ-16 at address 16 logging its frames, and vantorctl commands on its port.
class ModuleCommands : public test::SimSession {};

TEST_F(ModuleCommands, IdentifyAndCheckNameTheModel) {
    ProgramRun run = ctl("identify", {});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Device  kq-15\nFirmware  1.0\nModel: KQ-16 (14)\n");
    EXPECT_EQ(run.err, "");

    run = ctl("check", {});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Connection established\nModel: KQ-16 (14)\n");

    // Nobody at this address: the report of the failed reads, status 1.
    run = ctl("identify", {"--addr", "17"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("Parameter error 'dev'"), std::string::npos) << run.err;
    run = ctl("check", {"--addr", "17"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Connection to device could not be established\n");
}

TEST_F(ModuleCommands, GetReadsPlainAndIndexedParameters) {
    ProgramRun run = ctl("get", {"Addr", "Sens:0", "FLt:1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Addr\t16\nSens:0\t3 mV/V\nFLt:1\t0.500\n");

    // A name the description lacks is refused before any frame for it goes out: the
    // module sees the identification alone, as for identify.
    std::size_t before = loggedFrames();
    ASSERT_EQ(ctl("identify", {}).status, 0);
    const std::size_t identification = loggedFrames() - before;
    before = loggedFrames();
    run = ctl("get", {"NoSuchName", "Addr"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Addr\t16\n");
    EXPECT_EQ(run.err, "vantorctl: the description holds no parameter NoSuchName\n");
    EXPECT_GT(identification, 0u);
    EXPECT_EQ(loggedFrames() - before, identification + 2);  // + Addr's request and reply
}

TEST_F(ModuleCommands, SetWritesWhatTheTypeAllowsAndRefusesTheRest) {
    ProgramRun run = ctl("set", {"FLt:1", "2.5"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "FLt:1\t2.500\n");
    EXPECT_EQ(ctl("get", {"FLt:1", "FLt:0"}).out, "FLt:1\t2.500\nFLt:0\t0.500\n");

    const std::size_t before = loggedFrames();
    run = ctl("set", {"FLt:1", "21"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("FLt:1 refuses '21'"), std::string::npos) << run.err;
    const std::size_t refused = loggedFrames() - before;
    ASSERT_EQ(ctl("identify", {}).status, 0);
    EXPECT_EQ(loggedFrames() - before - refused, refused);  // identification only
    EXPECT_EQ(ctl("get", {"FLt:1"}).out, "FLt:1\t2.500\n");
}

TEST_F(ModuleCommands, ReadPrintsEveryParameterOfTheTree) {
    const ProgramRun described = runProgram("vantorctl", {"describe", "--model", "KQ-16", "--format", "tsv"});
    ASSERT_EQ(described.status, 0);
    std::size_t parameters = 0;
    for (std::size_t at = 0; (at = described.out.find("\nP\t", at)) != std::string::npos; ++at) ++parameters;
    if (described.out.rfind("P\t", 0) == 0) ++parameters;

    const ProgramRun run = ctl("read", {"--format", "tsv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')), parameters);
    EXPECT_NE(run.out.find("Input 1\tSens\t0\t3 mV/V\t\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Network parameters\tbPS\t\t9600\t\n"), std::string::npos) << run.out;

    const ProgramRun branch = ctl("read", {"--branch", "Network parameters", "--format", "json"});
    EXPECT_EQ(branch.status, 0) << branch.err;
    EXPECT_NE(branch.out.find("\"name\": \"bPS\",\n"), std::string::npos) << branch.out;
    EXPECT_EQ(branch.out.find("Sens"), std::string::npos);
}

TEST_F(ModuleCommands, FindListsTheModuleAtItsAddress) {
    const ProgramRun run = ctl("find", {"--from", "10", "--to", "20"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "16\tKQ-16\t1.0\n");
}

// The scan begins at the link's rate and goes up until the module answers.
TEST(ModuleScan, FindsTheModuleAtItsBaudRate) {
    BackgroundProgram sim("vantor-sim", {"--model", "KQ-16", "--pty", "--baud", "19200"});
    const std::string port = sim.readLine();
    const ProgramRun run = runProgram("vantorctl", {"scan", "--port", port, "--baud", "9600"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Scanning at baud rate 9600...\nScanning at baud rate 14400...\nScanning at baud rate 19200...\n"
              "Connection established\nBaud rate: 19200\n");
    EXPECT_EQ(run.err, "");
}

// Every rate is tried once (nine checks, each with its wake-ups: the longest e2e case).
TEST(ModuleScan, NoModuleAtAnyRateIsTheFailureText) {
    BackgroundProgram sim("vantor-sim", {"--model", "KQ-16", "--pty"});
    const std::string port = sim.readLine();
    const ProgramRun nobody = runProgram("vantorctl", {"scan", "--port", port, "--baud", "9600", "--addr", "99"});
    EXPECT_EQ(nobody.status, 1);
    EXPECT_EQ(std::count(nobody.out.begin(), nobody.out.end(), '\n'), 9) << nobody.out;
    EXPECT_EQ(nobody.err, "Connection to device could not be established\n");
}

TEST(ModuleCommandPorts, AnUnusablePortIsOneMessage) {
    const std::string file = temporaryPath("not-a-terminal");
    std::ofstream(file) << "x";
    struct Case {
        std::string port;
        std::string err;
    };
    const Case cases[] = {
        {"/dev/no-such-port", "vantorctl: port /dev/no-such-port does not exist\n"},
        {file, "vantorctl: port " + file + " is not a terminal\n"},
    };
    for (const Case& c : cases)
        for (const char* command : {"identify", "check", "read", "find"}) {
            const ProgramRun run = runProgram("vantorctl", {command, "--port", c.port});
            EXPECT_EQ(run.status, 1) << command;
            EXPECT_EQ(run.out, "") << command;
            EXPECT_EQ(run.err, c.err) << command;
        }
    std::filesystem::remove(file);
    EXPECT_EQ(runProgram("vantorctl", {"get", "--port", "/dev/null", "--alen", "9", "Addr"}).status, 2);
}

}  // namespace
}  // namespace vantor
