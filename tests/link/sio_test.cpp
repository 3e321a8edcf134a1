#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <future>
#include <limits>
#include <mutex>
#include <string>

#include "link/sio.h"
#include "support/pty_peer.h"

namespace vantor {
namespace {

using test::PtyPeer;
using Clock = std::chrono::steady_clock;

std::string silence(const std::string&) { return {}; }

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

TEST(SioOpen, ReturnCodes) {
    PtyPeer peer;
    const struct {
        const char* what;
        std::uint32_t baud, parity, dataBits, stopBits;
        int expected;
    } cases[] = {
        {"9600 8N1", 9600, 3, 8, 1, 0},       {"128000 7 odd 2", 128000, 4, 7, 2, 0},
        {"baud 256000", 256000, 3, 8, 1, -2}, {"baud 9601", 9601, 3, 8, 1, -2},
        {"data bits 9", 9600, 3, 9, 1, -3},   {"data bits 4", 9600, 3, 4, 1, -3},
        {"parity 6", 9600, 6, 8, 1, -2},      {"parity 6 is checked before data bits", 9600, 6, 9, 1, -2},
        {"stop bits 3", 9600, 3, 8, 3, -2},
    };
    for (const auto& c : cases) {
        Sio sio;
        sio.portName = peer.devicePath();
        sio.baudRate = c.baud;
        sio.parityCode = c.parity;
        sio.dataBits = c.dataBits;
        sio.stopBits = c.stopBits;
        EXPECT_EQ(sio.Open(), c.expected) << c.what;
        sio.Close();
    }
    Sio missing;
    missing.portName = "/dev/vantor-no-such-port";
    EXPECT_EQ(missing.Open(), -1);
    EXPECT_FALSE(missing.isOpen());
}

TEST(SioOpen, TimingsFollowTheCharacterFormat) {
    PtyPeer peer;
    const struct {
        std::uint32_t baud, parity, dataBits, stopBits;
        float characterTime;
        std::uint32_t readInterval, readMultiplier;
        std::uint16_t responseTimeout;
    } cases[] = {
        {9600, 3, 8, 1, 1.0417f, 2, 4, 220},
        {115200, 3, 8, 1, 0.0868f, 1, 2, 160},
        {9600, 1, 8, 2, 1.25f, 2, 4, 220},
        {110, 0, 8, 1, 90.909f, 137, 228, 6940},
    };
    for (const auto& c : cases) {
        Sio sio;
        sio.portName = peer.devicePath();
        sio.baudRate = c.baud;
        sio.parityCode = c.parity;
        sio.dataBits = c.dataBits;
        sio.stopBits = c.stopBits;
        ASSERT_EQ(sio.Open(), 0) << c.baud;
        EXPECT_NEAR(sio.characterTime(), c.characterTime, 0.0001f) << c.baud;
        const LineTimeouts t = sio.lineTimeouts();
        EXPECT_EQ(t.readInterval, c.readInterval) << c.baud;
        EXPECT_EQ(t.readTotalMultiplier, c.readMultiplier) << c.baud;
        EXPECT_EQ(t.readTotalConstant, 100u);
        EXPECT_EQ(t.writeTotalMultiplier, 10u);
        EXPECT_EQ(t.writeTotalConstant, 500u);
        EXPECT_EQ(sio.responseTimeout(), c.responseTimeout) << c.baud;
        EXPECT_EQ(sio.Close(), 0);
    }
}

TEST(SioOpen, ClosePurgeAndLineTimeoutsNeedAnOpenPort) {
    PtyPeer peer;
    Sio sio;
    sio.portName = peer.devicePath();
    EXPECT_EQ(sio.Close(), -2);
    EXPECT_EQ(sio.Purge(2), -2);
    EXPECT_FALSE(sio.applyLineTimeouts({}));
    std::string reply = "stale";
    EXPECT_EQ(sio.Transact("#\r", reply), kTransactFailed);
    EXPECT_TRUE(reply.empty());

    ASSERT_EQ(sio.Open(), 0);
    EXPECT_EQ(sio.Open(), -1) << "a second open must not lose the open port";
    for (int which : {0, 1, 2, 3, -1}) EXPECT_EQ(sio.Purge(which), 0) << which;

    LineTimeouts calibration = sio.lineTimeouts();
    const LineTimeouts opened = calibration;
    calibration.readTotalConstant = 300;
    EXPECT_TRUE(sio.applyLineTimeouts(calibration));
    EXPECT_EQ(sio.lineTimeouts(), calibration);
    EXPECT_EQ(sio.responseTimeout(), 220) << "the reply wait stays as opened";
    EXPECT_TRUE(sio.applyLineTimeouts(opened));
    EXPECT_EQ(sio.Close(), 0);
    EXPECT_FALSE(sio.isOpen());
}

class SioLine : public ::testing::Test {
protected:
    void SetUp() override { sio.portName = peer.devicePath(); }
    void TearDown() override { peer.stop(); }
    void open(std::uint32_t baud = 9600) {
        sio.baudRate = baud;
        ASSERT_EQ(sio.Open(), 0);
    }

    PtyPeer peer;
    Sio sio;
};

TEST_F(SioLine, ReplyIsCollectedAtTheCarriageReturnInBothAdapterModes) {
    peer.start([](const std::string& request) { return request == "#HGHGPVMIRPTK\r" ? "#HGHCPVMIRHGHGKJ\r" : ""; });
    open();
    for (std::uint32_t mode : {kAdapterAuto, kAdapterZk7}) {
        sio.adapterMode = mode;
        std::string reply;
        EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactDone) << mode;
        EXPECT_EQ(reply, "#HGHCPVMIRHGHGKJ\r") << mode;
    }
    EXPECT_EQ(peer.requests(), (std::vector<std::string>{"#HGHGPVMIRPTK\r", "#HGHGPVMIRPTK\r"}));
}

// A lower bound only: the time-out never comes before the response time-out, and a
// busy machine only makes it later. A wait that never ends fails by the test's time
// limit.
TEST_F(SioLine, NoReplyEndsAfterTheResponseTimeout) {
    peer.start(silence);
    open(9600);
    std::string reply;
    const auto start = Clock::now();
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactTimeout);
    EXPECT_GE(millisecondsSince(start), sio.responseTimeout());
    EXPECT_EQ(reply, "");
}

TEST_F(SioLine, StopEventEndsTheWaitAndLeavesThePortUsable) {
    // At 110 baud the reply wait is 6940 ms: a -1 rather than a time-out shows the stop
    // ended it.
    std::atomic<bool> answer = false;
    peer.start([&](const std::string&) -> std::string {
        if (answer) return "#OK\r";
        sio.stopEvent().set();
        return {};
    });
    open(110);
    std::string reply;
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactFailed);
    // While the event stays set nothing is sent at all.
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactFailed);
    EXPECT_EQ(peer.requestCount(), 1u);

    sio.stopEvent().reset();
    answer = true;
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactDone);
    EXPECT_EQ(reply, "#OK\r");
    peer.stop();
}

TEST_F(SioLine, CloseWaitsForATransactionOfAnotherThread) {
    // A dialog exchanges under the frame lock alone while the link may close the port:
    // the reply that comes after Close was called must still reach the transaction.
    std::mutex mutex;
    std::condition_variable changed;
    bool closing = false;
    std::promise<void> requested;
    peer.start([&](const std::string&) {
        requested.set_value();
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return closing; });
        return std::string("#OK\r");
    });
    open(110);  // a reply wait of seconds: only the reply ends the transaction
    std::string reply;
    auto transaction = std::async(std::launch::async, [&] { return sio.Transact("#HGHGPVMIRPTK\r", reply); });
    requested.get_future().wait();
    {
        std::lock_guard lock(mutex);
        closing = true;
    }
    changed.notify_all();
    EXPECT_EQ(sio.Close(), 0);
    EXPECT_EQ(transaction.get(), kTransactDone);
    EXPECT_EQ(reply, "#OK\r");
    EXPECT_FALSE(sio.isOpen());
}

// The port is reached through a link, as vantor-sim --link offers its pseudo-terminal:
// the vanished one never comes back, a new one does under the same name.
class SioLineThatVanishes : public ::testing::Test {
protected:
    void SetUp() override {
        link = (std::filesystem::temp_directory_path() / ("vantor-sio-link-" + std::to_string(::getpid()))).string();
        pointLinkAt(first);
        sio.portName = link;
    }
    void TearDown() override { std::filesystem::remove(link); }
    void pointLinkAt(const PtyPeer& peer) {
        std::filesystem::remove(link);
        std::filesystem::create_symlink(peer.devicePath(), link);
    }

    PtyPeer first;
    std::string link;
    Sio sio;
};

TEST_F(SioLineThatVanishes, HangUpEndsTheWaitingTransactionAndThePortOpensAgain) {
    std::promise<void> requested;
    first.start([&](const std::string&) {
        requested.set_value();
        return std::string();
    });
    sio.baudRate = 110;  // a reply wait of seconds: the status shows what ended it
    ASSERT_EQ(sio.Open(), 0);
    auto transaction = std::async(std::launch::async, [&] {
        std::string reply;
        return sio.Transact("#HGHGPVMIRPTK\r", reply);
    });
    requested.get_future().wait();
    first.hangUp();
    EXPECT_EQ(transaction.get(), kTransactDisconnected);
    EXPECT_FALSE(sio.isOpen()) << "the vanished device must be let go";

    PtyPeer second;
    second.start([](const std::string&) { return std::string("#OK\r"); });
    pointLinkAt(second);
    ASSERT_EQ(sio.Open(), 0);
    std::string reply;
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactDone);
    EXPECT_EQ(reply, "#OK\r");
    second.stop();
}

TEST_F(SioLineThatVanishes, LineGoneBeforeTheRequest) {
    ASSERT_EQ(sio.Open(), 0);
    first.hangUp();
    std::string reply;
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactDisconnected);
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactFailed) << "the port is closed now";
    EXPECT_EQ(sio.Close(), -2);
}

TEST_F(SioLine, LongReplyIsCutToThirtyOneCharacters) {
    const std::string longReply = std::string(39, 'H') + "\r";
    peer.start([longReply](const std::string&) { return longReply; });
    open();
    std::string reply;
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactDone);
    EXPECT_EQ(reply, longReply.substr(0, 31));
}

// The end character comes long after the 31 characters kept and behind more than one
// read of the port (256 bytes): it is looked for in what arrives, not in what is kept.
TEST_F(SioLine, EndCharacterBehindSeveralReadsEndsTheReply) {
    const std::string streamed = "#" + std::string(700, 'H') + "\r";
    peer.start([streamed](const std::string&) { return streamed; });
    open(115200);
    std::string reply;
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactDone);
    EXPECT_EQ(reply, "#" + std::string(30, 'H'));
}

TEST_F(SioLine, ModbusRtuTakesWhatArrivedWithoutAnEndCharacter) {
    // Binary reply with 0xFF bytes, which the line-error marking doubles on the way in.
    const std::string rtuReply("\x10\x05\xF0\xF0\xFF\x00\xBC\x48", 8);
    peer.start([rtuReply](const std::string&) { return rtuReply; }, PtyPeer::fixedLength(8));
    sio.replyEndsAtFirstCharacter = true;  // as the link sets it for Modbus RTU
    open();
    std::string reply;
    EXPECT_EQ(sio.Transact(rtuReply, reply), kTransactDone);
    EXPECT_EQ(reply, rtuReply);
    EXPECT_EQ(peer.requests(), std::vector<std::string>{rtuReply});
}

// Lower bounds only: a busy machine stretches a wait, never shortens it. A time that
// is not a positive number returns at once; one taken as endless fails by the test's
// time limit.
TEST(CharacterTimes, BusyWaitLastsAtLeastTheTime) {
    for (float ms : {0.1f, 2.5f}) {
        const auto start = Clock::now();
        WaitCharacterTimes(ms);
        EXPECT_GE(millisecondsSince(start), ms) << ms;
    }
    for (float ms : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) WaitCharacterTimes(ms);
}

}  // namespace
}  // namespace vantor
