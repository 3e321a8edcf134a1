#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "link/device_io.h"
#include "protocol/frame.h"
#include "sim/clock.h"
#include "sim/in_process_line.h"
#include "sim/module_line.h"
#include "sim/virtual_module.h"
#include "support/module_bench.h"

namespace vantor {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kKq16 = 14;
constexpr std::uint16_t kAddr = 0x9F62;

class RecordingTap : public FrameTap {
public:
    void onFrame(const FrameRecord& record) override { records.push_back(record); }
    std::vector<FrameRecord> records;
};

// The link's frame layer on an in-process module that puts `faults` into its replies,
// with a tap installed.
class TappedExchange : public ::testing::Test, public test::CleanAppState {
protected:
    explicit TappedExchange(sim::FaultSettings faults = {}, sim::NetworkSettings settings = {16, 8, {}})
        : module(kKq16, test::shippedTable(kKq16), settings, "1.0", clock),
          moduleLine(module, sim::FaultInjector(faults, 1)),
          line(moduleLine, io.sio()) {
        io.baseAddress = settings.address;
        io.addressLength = settings.addressLength;
        io.setTransport(&line);
        line.Open();
        io.setFrameTap(&tap);
    }
    ~TappedExchange() override { io.setFrameTap(nullptr); }

    bool readAddr(std::string& error) {
        Bytes data;
        return io.ExchangeFrame(1, kAddr, {}, data, error);
    }

    sim::ManualClock clock;
    sim::VirtualModule module;
    sim::ModuleLine moduleLine;
    DeviceIO io;
    sim::InProcessLine line;
    RecordingTap tap;
};

void expectRequestForAddr(const FrameRecord& record) {
    EXPECT_EQ(record.direction, FrameDirection::Sent);
    EXPECT_EQ(record.characters, "#HGHGPVMIRPTK\r");
    ASSERT_TRUE(record.frame);
    EXPECT_EQ(record.frame->address, 16);
    EXPECT_TRUE(record.frame->requestBit);
    EXPECT_EQ(record.frame->hash, kAddr);
    EXPECT_TRUE(record.frame->data.empty());
    EXPECT_EQ(record.outcome, FrameOutcome::Ok);
}

TEST_F(TappedExchange, SeesTheRequestAndTheReplyOfAnExchange) {
    std::string error;
    ASSERT_TRUE(readAddr(error)) << error;
    ASSERT_EQ(tap.records.size(), 2u);
    expectRequestForAddr(tap.records[0]);
    const FrameRecord& reply = tap.records[1];
    EXPECT_EQ(reply.direction, FrameDirection::Received);
    EXPECT_EQ(reply.characters, *BuildFrame({16, 8, false, kAddr, {0x00, 0x10}}));
    ASSERT_TRUE(reply.frame);
    EXPECT_EQ(reply.frame->hash, kAddr);
    EXPECT_FALSE(reply.frame->requestBit);
    EXPECT_EQ(reply.frame->data, (Bytes{0x00, 0x10}));
    EXPECT_EQ(reply.outcome, FrameOutcome::Ok);
    EXPECT_LE(tap.records[0].time, reply.time);
}

TEST_F(TappedExchange, ARemovedTapSeesNothingMore) {
    io.setFrameTap(nullptr);
    std::string error;
    ASSERT_TRUE(readAddr(error)) << error;
    EXPECT_TRUE(tap.records.empty());
}

class TappedElevenBitExchange : public TappedExchange {
protected:
    TappedElevenBitExchange() : TappedExchange({}, {300, 11, {}}) {}
};

TEST_F(TappedElevenBitExchange, AddressesAreParsedWithTheLinksLength) {
    std::string error;
    ASSERT_TRUE(readAddr(error)) << error;
    ASSERT_EQ(tap.records.size(), 2u);
    ASSERT_TRUE(tap.records[0].frame && tap.records[1].frame);
    EXPECT_EQ(tap.records[0].frame->address, 300);
    EXPECT_EQ(tap.records[1].frame->address, 300);
}

class TappedTimeout : public TappedExchange {
protected:
    TappedTimeout() : TappedExchange({.drop = 1}) {}
};

TEST_F(TappedTimeout, EveryAttemptAndItsTimeOut) {
    std::string error;
    EXPECT_FALSE(readAddr(error));
    ASSERT_EQ(tap.records.size(), 4u);  // the request goes out twice
    for (std::size_t attempt = 0; attempt < 2; ++attempt) {
        expectRequestForAddr(tap.records[2 * attempt]);
        const FrameRecord& nothing = tap.records[2 * attempt + 1];
        EXPECT_EQ(nothing.direction, FrameDirection::Received);
        EXPECT_EQ(nothing.outcome, FrameOutcome::Timeout);
        EXPECT_TRUE(nothing.characters.empty());
        EXPECT_FALSE(nothing.frame);
    }
}

class TappedBadChecksum : public TappedExchange {
protected:
    TappedBadChecksum() : TappedExchange({.badSum = 1}) {}
};

TEST_F(TappedBadChecksum, TheReplyIsKeptAsItCame) {
    std::string error;
    EXPECT_FALSE(readAddr(error));
    // The read is asked again once: the request and the damaged reply twice.
    ASSERT_EQ(tap.records.size(), 4u);
    EXPECT_EQ(tap.records[0].characters, tap.records[2].characters);
    EXPECT_EQ(tap.records[1].characters, tap.records[3].characters);
    const FrameRecord& reply = tap.records[3];
    EXPECT_EQ(reply.outcome, FrameOutcome::ChecksumError);
    EXPECT_FALSE(reply.frame);
    // The good reply with the last nibble of its checksum raised by one.
    std::string good = *BuildFrame({16, 8, false, kAddr, {0x00, 0x10}});
    char& last = good[good.size() - 2];
    last = last == 'V' ? 'G' : static_cast<char>(last + 1);
    EXPECT_EQ(reply.characters, good);
}

class TappedDeviceError : public TappedExchange {
protected:
    TappedDeviceError() : TappedExchange({.deviceError = 1}) {}
};

TEST_F(TappedDeviceError, TheErrorCodeComesWithTheReply) {
    std::string error;
    EXPECT_FALSE(readAddr(error));
    ASSERT_EQ(tap.records.size(), 2u);
    const FrameRecord& reply = tap.records[1];
    EXPECT_EQ(reply.outcome, FrameOutcome::DeviceError);
    EXPECT_EQ(reply.deviceErrorCode, 0x41);
    ASSERT_TRUE(reply.frame);
    EXPECT_EQ(reply.frame->hash, kHashDeviceError);
    EXPECT_EQ(DeviceErrorMessage(reply.deviceErrorCode), error);
}

class TappedOtherHash : public TappedExchange {
protected:
    TappedOtherHash() : TappedExchange({.badHash = 1}) {}
};

TEST_F(TappedOtherHash, AReplyUnderAnotherHashIsMarked) {
    std::string error;
    EXPECT_FALSE(readAddr(error));
    ASSERT_EQ(tap.records.size(), 2u);
    EXPECT_EQ(tap.records[1].outcome, FrameOutcome::OtherHash);
    ASSERT_TRUE(tap.records[1].frame);
    EXPECT_NE(tap.records[1].frame->hash, kAddr);
}

}  // namespace
}  // namespace vantor
