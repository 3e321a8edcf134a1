// A module that answers later than vantorctl waits, or now and then with a damaged
// reply, against vantorctl on its pseudo-terminal: no value ever lands at another
// index, a read is asked again once, a write never twice, and looking for modules asks
// a silent address only once.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "protocol/name_hash.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using test::BackgroundProgram;
using test::ProgramRun;
using test::runProgram;
using test::temporaryPath;

constexpr int kIndexes = 8;

// Each index of "uU.Kf" holds a value of its own: index i holds i + 1.
std::string expectedValue(int index) { return std::to_string(index + 1) + ".000"; }

std::string writeDistinctState(const std::string& path) {
    std::ofstream state(path, std::ios::trunc);
    state << "{\"model\": \"KQ-13\", \"parameters\": [";
    for (int i = 0; i < kIndexes; ++i)
        state << (i ? "," : "") << "{\"name\": \"uU.Kf\", \"index\": " << i << ", \"value\": \"" << expectedValue(i)
              << "\"}";
    state << "]}";
    return path;
}

// NAME:INDEX -> value of vantorctl get's output.
std::map<std::string, std::string> valuesRead(const std::string& out) {
    std::map<std::string, std::string> values;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (const auto tab = line.find('\t'); tab != std::string::npos)
            values[line.substr(0, tab)] = line.substr(tab + 1);
    return values;
}

// Replies a little and much later than the response time-out (220 ms at 9600 baud).
class LateModule : public ::testing::TestWithParam<int> {};

TEST_P(LateModule, NoValueLandsAtAnotherIndex) {
    const std::string state = writeDistinctState(temporaryPath("late-reply-state.json"));
    BackgroundProgram sim(
        "vantor-sim", {"--model", "KQ-13", "--pty", "--state", state, "--fault", "slow=" + std::to_string(GetParam())});
    const std::string port = sim.readLine();
    std::vector<std::string> args{"get", "--port", port};
    for (int i = 0; i < kIndexes; ++i) args.push_back("uU.Kf:" + std::to_string(i));
    const ProgramRun run = runProgram("vantorctl", args);

    // A read may fail on such a line; one that succeeds has its own index's value.
    for (const auto& [name, value] : valuesRead(run.out)) {
        const int index = std::stoi(name.substr(name.find(':') + 1));
        EXPECT_EQ(value, expectedValue(index)) << name << "\n" << run.out << run.err;
    }
    sim.stop();
    std::filesystem::remove(state);
}

INSTANTIATE_TEST_SUITE_P(SlowReplies, LateModule, ::testing::Values(230, 300));

// Right after the response time-out, the late reply to the first attempt answers the
// second: every value is read, none at another index.
TEST(LateModuleJustPastTheTimeout, EveryValueIsReadAtItsIndex) {
    const std::string state = writeDistinctState(temporaryPath("late-reply-all.json"));
    BackgroundProgram sim("vantor-sim", {"--model", "KQ-13", "--pty", "--state", state, "--fault", "slow=230"});
    const std::string port = sim.readLine();
    std::vector<std::string> args{"get", "--port", port};
    std::string expected;
    for (int i = 0; i < kIndexes; ++i) {
        args.push_back("uU.Kf:" + std::to_string(i));
        expected += "uU.Kf:" + std::to_string(i) + "\t" + expectedValue(i) + "\n";
    }
    const ProgramRun run = runProgram("vantorctl", args);
    EXPECT_EQ(run.out, expected) << run.err;
    EXPECT_EQ(run.status, 0) << run.err;
    sim.stop();
    std::filesystem::remove(state);
}

// Every reply the module sends has a damaged checksum.
class DamagedReplies : public test::SimSession {
protected:
    DamagedReplies() : SimSession("KQ-16", {"--fault", "badsum=1"}) {}

    std::size_t requestsFor(const std::string& name) const {
        const std::vector<std::uint16_t> hashes = requestHashes();
        return static_cast<std::size_t>(std::count(hashes.begin(), hashes.end(), hash_name(name)));
    }
};

TEST_F(DamagedReplies, AReadIsAskedAgainOnceAWriteNever) {
    const ProgramRun read = ctl("raw", {"dev"});
    EXPECT_EQ(read.status, 1);
    EXPECT_EQ(read.err, "Response sum check error\n");
    EXPECT_EQ(requestsFor("dev"), 2u);

    const ProgramRun write = ctl("raw", {"--data", "64", "t.Ms"});
    EXPECT_EQ(write.status, 1);
    EXPECT_EQ(write.err, "Response sum check error\n");
    EXPECT_EQ(requestsFor("t.Ms"), 1u);
}

// A module at address 16 among silent addresses.
class FindOnALine : public test::SimSession {};

TEST_F(FindOnALine, ASilentAddressIsAskedOnce) {
    const ProgramRun run = ctl("find", {"--from", "10", "--to", "20"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "16\tKQ-16\t1.0\n");
    std::map<int, int> requests;
    for (const ReceivedFrame& frame : requestFrames()) ++requests[frame.address(8)];
    for (int address = 10; address <= 20; ++address) {
        if (address == 16) continue;
        EXPECT_EQ(requests[address], 1) << "address " << address;
    }
    EXPECT_GE(requests[16], 1);
}

}  // namespace
}  // namespace vantor
