// vantor-sim on a pseudo-terminal, talked to with vantorctl raw as a service engineer
// does: identification, reads and writes, device errors, line timing, network settings
// applied, faults, and a state kept across runs.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using test::BackgroundProgram;
using test::ProgramRun;
using test::readWholeFile;
using test::runProgram;
using test::temporaryPath;

// One vantor-sim child: started with the arguments, its pseudo-terminal path read from
// the first line of its output.
class Simulator {
public:
    explicit Simulator(const std::vector<std::string>& args)
        : program_("vantor-sim", args), path_(program_.readLine()) {}

    const std::string& path() const { return path_; }
    // SIGTERM and the exit status (-1 when it had to be killed).
    int stop() { return program_.stop(); }

private:
    BackgroundProgram program_;
    std::string path_;
};

ProgramRun raw(const std::string& port, std::vector<std::string> args) {
    std::vector<std::string> all{"raw", "--port", port};
    all.insert(all.end(), args.begin(), args.end());
    return runProgram("vantorctl", all);
}

TEST(SimulatorOnPty, AnswersVantorctlRaw) {
    Simulator sim({"--model", "KQ-04", "--pty", "--address", "16", "--firmware", "2.3"});
    ASSERT_EQ(sim.path().rfind("/dev/", 0), 0u) << sim.path();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"--addr", "16", "dev"}, 0, "34302D716B\n", ""},  // "kq-04", last character first
        {{"--addr", "16", "ver"}, 0, "332E32\n", ""},      // "2.3"
        {{"--addr", "16", "Addr"}, 0, "0010\n", ""},
        {{"--addr", "16", "--data", "0021", "Addr"}, 0, "0021\n", ""},
        {{"--addr", "16", "--read", "Addr"}, 0, "0021\n", ""},
        {{"--addr", "16", "NoSuchName"}, 1, "", "Descriptor not found\n"},
        {{"--addr", "16", "--data", "01", "dev"}, 1, "", "You are trying to change read-only parameter\n"},
        {{"--addr", "200", "Addr"}, 1, "", "Time-out error\n"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = raw(sim.path(), c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.out, c.out) << c.args.back();
        EXPECT_EQ(run.err, c.err) << c.args.back();
    }
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimulatorOnPty, StartsWithTheFactorySettingsOfItsDescription) {
    Simulator sim({"--model", "KQ-16", "--pty"});
    const ProgramRun run = raw(sim.path(), {"--addr", "16", "dev"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "35312D716B\n");  // "kq-15": both strain-gauge variants report it
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimulatorOnPty, WireTimeAt9600Baud) {
    Simulator sim({"--model", "0", "--pty", "--address", "5", "--baud", "9600", "--wire-time", "--turnaround", "2"});
    const ProgramRun dev = raw(sim.path(), {"--addr", "5", "--baud", "9600", "dev"});
    EXPECT_EQ(dev.status, 0) << dev.err;
    EXPECT_EQ(dev.out, "31302D514B\n");  // "KQ-01"
    const ProgramRun written = raw(sim.path(), {"--addr", "5", "--baud", "9600", "--data", "0007", "Addr"});
    EXPECT_EQ(written.out, "0007\n") << written.err;
    // A client at another rate is not understood.
    const ProgramRun wrongRate = raw(sim.path(), {"--addr", "5", "--baud", "19200", "dev"});
    EXPECT_EQ(wrongRate.status, 1);
    EXPECT_EQ(wrongRate.err, "Time-out error\n");
}

TEST(SimulatorOnPty, NewNetworkSettingsHoldAfterAply) {
    Simulator sim({"--model", "KQ-02", "--pty", "--address", "16"});
    ASSERT_EQ(raw(sim.path(), {"--addr", "16", "--data", "0020", "Addr"}).status, 0);
    ASSERT_EQ(raw(sim.path(), {"--addr", "16", "--data", "08", "bPS"}).out, "08\n");   // 115200
    ASSERT_EQ(raw(sim.path(), {"--addr", "16", "--data", "01", "PrtY"}).out, "01\n");  // even
    EXPECT_EQ(raw(sim.path(), {"--addr", "16", "Addr"}).out, "0020\n") << "stored, not yet in force";
    const ProgramRun applied = raw(sim.path(), {"--addr", "16", "--data", "", "APLY"});
    EXPECT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(raw(sim.path(), {"--addr", "16", "Addr"}).status, 1);
    EXPECT_EQ(raw(sim.path(), {"--addr", "32", "Addr"}).status, 1) << "still at 9600 baud without parity";
    const ProgramRun moved = raw(sim.path(), {"--addr", "32", "--baud", "115200", "--parity", "even", "Addr"});
    EXPECT_EQ(moved.status, 0) << moved.err;
    EXPECT_EQ(moved.out, "0020\n");
}

TEST(SimulatorOnPty, InjectedDeviceErrorsAndSilence) {
    {
        Simulator sim({"--model", "KQ-01", "--pty", "--address", "3", "--fault", "nerr=1", "--seed", "9"});
        const ProgramRun run = raw(sim.path(), {"--addr", "3", "dev"});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "Other task is performed (segment COMMON is busy)\n");
    }
    {
        Simulator sim({"--model", "KQ-01", "--pty", "--address", "3", "--fault", "deaf-after=1"});
        EXPECT_EQ(raw(sim.path(), {"--addr", "3", "dev"}).status, 0);
        EXPECT_EQ(raw(sim.path(), {"--addr", "3", "dev"}).err, "Time-out error\n");
    }
}

TEST(SimulatorOnPty, RawTakesAHashOnlyAs0xAndOneToFourHexDigits) {
    const std::string log = temporaryPath("vantor-sim-hash-log.txt");
    std::filesystem::remove(log);
    // The argument of raw, and the name whose request frame it must put on the line.
    const struct {
        const char* argument;
        const char* sameAs;
    } cases[] = {
        {"0x9F62", "Addr"},     {"0X9f62", "Addr"}, {"0x12  ", "0x12  "}, {"0x 1 2", "0x 1 2"},
        {"0x09F62", "0x09F62"}, {"0x", "0x"},       {"0x-1", "0x-1"},
    };
    {
        Simulator sim({"--model", "KQ-04", "--pty", "--log", log});
        for (const auto& c : cases) raw(sim.path(), {"--addr", "16", c.argument});
        EXPECT_EQ(sim.stop(), 0);
    }
    const std::string received = readWholeFile(log);
    for (const auto& c : cases) {
        const ProgramRun frame = runProgram("vantorctl", {"frame", "--addr", "16", c.sameAs});
        ASSERT_EQ(frame.status, 0) << frame.err;
        const std::string request = frame.out.substr(0, frame.out.size() - 1);
        EXPECT_NE(received.find(" < " + request + "\\r\n"), std::string::npos) << c.argument << "\n" << received;
    }
    std::filesystem::remove(log);
}

TEST(SimulatorOnPty, KeepsItsStateAcrossRunsAndLogsFrames) {
    const std::string state = temporaryPath("vantor-sim-state.json");
    const std::string log = temporaryPath("vantor-sim-log.txt");
    const std::string link = temporaryPath("vantor-sim-link");
    std::filesystem::remove(state);
    std::filesystem::remove(log);
    {
        Simulator sim({"--model", "KQ-04", "--pty", "--address", "9", "--state", state, "--log", log, "--link", link});
        EXPECT_EQ(std::filesystem::read_symlink(link).string(), sim.path());
        ASSERT_EQ(raw(link, {"--addr", "9", "--data", "002C", "t.out"}).status, 0);
        EXPECT_EQ(sim.stop(), 0);
        EXPECT_FALSE(std::filesystem::is_symlink(link)) << "the link goes with the simulator";
    }
    // The write of 00 2C to "t.out" at address 9, as it came in.
    EXPECT_NE(readWholeFile(log).find(" < #GPGIRUSNGGISHNIV\\r\n"), std::string::npos) << readWholeFile(log);
    {
        Simulator sim({"--model", "KQ-04", "--pty", "--address", "9", "--state", state});
        EXPECT_EQ(raw(sim.path(), {"--addr", "9", "t.out"}).out, "002C\n");
    }
    std::filesystem::remove(state);
    std::filesystem::remove(log);
}

// The state is saved when the module stops; a place it cannot be saved is refused at
// the start, before the module serves at all.
TEST(SimulatorOnPty, RefusesAStateFileItCouldNotSave) {
    const std::string missingFolder = temporaryPath("vantor-sim-no-folder") + "/state.json";
    const std::string folder = std::filesystem::temp_directory_path().string();
    const struct {
        std::string state;
        const char* reason;
    } cases[] = {{missingFolder, "No such file or directory"}, {folder, "Filename refers to a directory"}};
    for (const auto& c : cases) {
        const ProgramRun run = runProgram("vantor-sim", {"--model", "KQ-16", "--pty", "--state", c.state});
        EXPECT_EQ(run.status, 1) << c.state;
        EXPECT_EQ(run.err, "vantor-sim: cannot save the state to " + c.state + ": " + c.reason + "\n");
        EXPECT_EQ(run.out, "") << "no device was offered";
    }
}

TEST(SimulatorOnPty, RefusesBadCommandLines) {
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"--pty"}, "--model is required"},
        {{"--model", "KQ-99", "--pty"}, "--model takes a model name or index from 0 to 22, not 'KQ-99'"},
        {{"--model", "1"}, "give either --pty or --device PATH"},
        {{"--model", "1", "--pty", "--fault", "drop=3"},
         "fault 'drop=3': the probability must be a number from 0 to 1"},
        {{"--model", "1", "--pty", "--alen", "9"}, "--alen takes 8 or 11"},
        {{"--model", "1", "--pty", "--bogus"}, "unknown option '--bogus'"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram("vantor-sim", c.args);
        EXPECT_EQ(run.status, 2) << c.reason;
        EXPECT_EQ(run.out, "") << c.reason;
        EXPECT_EQ(run.err.rfind("vantor-sim: " + c.reason + "\nusage: vantor-sim --model NAME|INDEX", 0), 0u)
            << run.err;
    }
}

}  // namespace
}  // namespace vantor
