#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "link/device_io.h"
#include "platform/app_state.h"
#include "protocol/foreign.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "support/pty_peer.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::PtyPeer;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kAddr = 0x9F62;

std::string replyFrame(std::uint16_t hash, Bytes data) { return *BuildFrame({16, 8, false, hash, std::move(data)}); }

// ---- over a pseudo-terminal -------------------------------------------------------

class ExchangeOverPty : public ::testing::Test {
protected:
    void SetUp() override {
        app().replaceResultFlags(0);
        device.baseAddress = 16;
        device.sio().portName = peer.devicePath();
    }
    void TearDown() override {
        peer.stop();
        app().replaceResultFlags(0);
    }
    void serve(PtyPeer::Responder responder, PtyPeer::Splitter splitter = PtyPeer::upToCarriageReturn) {
        peer.start(std::move(responder), std::move(splitter));
        ASSERT_EQ(device.sio().Open(), 0);
    }
    // Requests the peer has read: the echo of the sync line comes back only after
    // everything sent before it was recorded.
    std::size_t requestsSeen() {
        std::string echo;
        EXPECT_EQ(device.sio().Transact(PtyPeer::kSync, echo), kTransactDone);
        return peer.requestCount();
    }
    bool readAddr(Bytes& data, std::string& error) { return device.ExchangeFrame(1, kAddr, {}, data, error); }

    PtyPeer peer;
    DeviceIO device;
};

TEST_F(ExchangeOverPty, ReadsAValue) {
    serve([](const std::string& request) {
        return request == "#HGHGPVMIRPTK\r" ? replyFrame(kAddr, {0x00, 0x10}) : "";
    });
    Bytes data;
    std::string error = "untouched";
    EXPECT_TRUE(readAddr(data, error));
    EXPECT_EQ(data, (Bytes{0x00, 0x10}));
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(app().resultFlags(), 0u);
}

TEST_F(ExchangeOverPty, NoAnswerIsSentTwiceThenTimeOut) {
    serve([](const std::string&) { return std::string(); });
    Bytes data;
    std::string error;
    EXPECT_FALSE(readAddr(data, error));
    EXPECT_EQ(error, Text("IDS_NOCARRIER"));
    EXPECT_EQ(error, "Time-out error");
    EXPECT_EQ(app().resultFlags(), 4u);
    EXPECT_EQ(requestsSeen(), 2u);
}

TEST_F(ExchangeOverPty, LostHeaderIsSentElevenTimes) {
    serve([](const std::string&) { return std::string("XHGHG\r"); });
    Bytes data;
    std::string error;
    EXPECT_FALSE(readAddr(data, error));
    EXPECT_EQ(error, Text("IDS_STRING454"));
    EXPECT_EQ(error, "Frame header is lost");
    EXPECT_EQ(app().resultFlags(), 8u);
    EXPECT_EQ(requestsSeen(), 11u);
}

TEST_F(ExchangeOverPty, ApplySucceedsWithoutAReply) {
    serve([](const std::string&) { return std::string(); });
    Bytes data{0x55};
    std::string error;
    EXPECT_TRUE(device.ExchangeFrame(0, kHashApply, {}, data, error));
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(requestsSeen(), 1u);
    EXPECT_EQ(peer.requests().front(), *BuildFrame({16, 8, false, kHashApply, {}}));
}

TEST_F(ExchangeOverPty, DeviceErrorReply) {
    serve([](const std::string&) { return replyFrame(kHashDeviceError, {0x35}); });
    Bytes data;
    std::string error;
    EXPECT_FALSE(readAddr(data, error));
    EXPECT_EQ(error, "Parameter index out of range");
    EXPECT_EQ(data, Bytes{0x35});
    EXPECT_EQ(app().resultFlags(), 16u);
}

// The module line vanishes while the exchange waits for the reply (the far end of the
// pseudo-terminal closed): the exchange ends at once, with no further attempt.
TEST_F(ExchangeOverPty, VanishedPortEndsTheExchangeAtOnce) {
    std::promise<void> requested;
    serve([&](const std::string&) {
        requested.set_value();
        return std::string();
    });
    const std::string port = device.sio().portName;
    auto exchange = std::async(std::launch::async, [&] {
        Bytes data;
        std::string error;
        readAddr(data, error);
        return error;
    });
    requested.get_future().wait();
    peer.hangUp();
    const std::string error = exchange.get();
    EXPECT_EQ(error, FormatText(Text("IDS_PORT_DISCONNECTED"), port));
    EXPECT_EQ(error, "Serial port " + port + " was closed or disconnected");
    EXPECT_EQ(app().resultFlags(), 2u);
    EXPECT_EQ(peer.requestCount(), 1u);
    EXPECT_FALSE(device.sio().isOpen());
}

// A module that answers later than the link waits: the reply to one request comes
// while the link waits for the next. `index` is the request's data index (two bytes).
std::string indexedReply(const std::string& request) {
    ReceivedFrame frame;
    if (ParseFrame(request, frame) != FrameCheck::Ok || frame.data.size() != 2) return {};
    return replyFrame(frame.hash, {static_cast<std::uint8_t>(100 + frame.data[1]), frame.data[0], frame.data[1]});
}

bool readIndex(DeviceIO& device, std::uint8_t index, Bytes& data, std::string& error) {
    return device.ExchangeFrame(1, kAddr, Bytes{0, index}, data, error, 0, 2);
}

// Each request is answered with the reply to the one before it: the late reply is set
// aside, the link waits out the time-out and asks again, and the reply to its first
// attempt is then the right one.
TEST_F(ExchangeOverPty, ALateReplyIsNeverTakenForTheNextIndex) {
    std::string behind;
    serve([&](const std::string& request) { return std::exchange(behind, indexedReply(request)); });
    for (std::uint8_t index = 0; index < 4; ++index) {
        Bytes data;
        std::string error;
        EXPECT_TRUE(readIndex(device, index, data, error)) << int{index} << ": " << error;
        EXPECT_EQ(data, (Bytes{static_cast<std::uint8_t>(100 + index), 0, index})) << int{index};
    }
    EXPECT_EQ(requestsSeen(), 8u);
    peer.stop();
}

// The late reply and the own one arrive in one go: the own one is taken within the
// same wait, without asking again.
TEST_F(ExchangeOverPty, TheOwnReplyAfterALateOneIsTakenInTheSameWait) {
    std::string behind;
    serve([&](const std::string& request) {
        const std::string own = indexedReply(request);
        return std::exchange(behind, own) + own;
    });
    for (std::uint8_t index = 0; index < 4; ++index) {
        Bytes data;
        std::string error;
        EXPECT_TRUE(readIndex(device, index, data, error)) << int{index} << ": " << error;
        EXPECT_EQ(data, (Bytes{static_cast<std::uint8_t>(100 + index), 0, index})) << int{index};
    }
    EXPECT_EQ(requestsSeen(), 4u);
    peer.stop();
}

TEST_F(ExchangeOverPty, ForeignRequestsOnTheLine) {
    const struct {
        ProtocolMode mode;
        std::string request;
        std::string reply;
    } cases[] = {
        {ProtocolMode::ModbusRtu, std::string("\x10\x05\xF0\xF0\xFF\x00\xBC\x48", 8),
         std::string("\x10\x05\xF0\xF0\xFF\x00\xBC\x48", 8)},
        {ProtocolMode::ModbusAscii, ":1005F0F0FF000C\r\n", ":1005F0F0FF000C\r\n"},
        {ProtocolMode::Dcon, "%10TAVRC3\r", "!1082\r"},
    };
    std::atomic<std::size_t> index = 0;
    // Modbus ASCII ends in CR LF; the other two are split by their own length or CR.
    serve([&](const std::string&) { return cases[index].reply; },
          [&](std::string_view buffered) -> std::size_t {
              if (buffered == PtyPeer::kSync.substr(0, buffered.size())) return PtyPeer::upToCarriageReturn(buffered);
              return buffered.size() >= cases[index].request.size() ? cases[index].request.size() : 0;
          });
    for (; index < std::size(cases); ++index) {
        const auto& c = cases[index];
        device.setProtocolMode(c.mode);
        Bytes data{0x55};
        EXPECT_EQ(device.ExchangeForeign(NativeModeRequest(c.mode), data), kForeignOk) << c.request;
        const Bytes expected = c.mode == ProtocolMode::Dcon ? Bytes{} : NativeModeRequest(c.mode);
        EXPECT_EQ(data, expected) << c.request;
        ASSERT_EQ(peer.requestCount(), index + 1);
        EXPECT_EQ(peer.requests().back(), c.request);
    }
    peer.stop();
}

// ---- scripted line: conditions a pseudo-terminal cannot produce ---------------------

class ScriptedLine : public LineTransport {
public:
    struct Step {
        int status;
        std::string reply;
    };
    explicit ScriptedLine(std::vector<Step> steps) : steps_(std::move(steps)) {}
    // The last step repeats once the script has run out.
    int Transact(std::string_view request, std::string& reply) override {
        requests.emplace_back(request);
        const Step& step = steps_[std::min(requests.size(), steps_.size()) - 1];
        reply = step.reply;
        return step.status;
    }
    std::vector<std::string> requests;

private:
    std::vector<Step> steps_;
};

class ExchangeOverScript : public ::testing::Test {
protected:
    void SetUp() override {
        app().replaceResultFlags(0);
        device.baseAddress = 16;
    }
    void TearDown() override { app().replaceResultFlags(0); }

    DeviceIO device;
};

TEST_F(ExchangeOverScript, SerialErrorsAreRetriedSeventeenTimes) {
    ScriptedLine line({{kTransactLineError, ""}});
    device.setTransport(&line);
    Bytes data;
    std::string error;
    EXPECT_FALSE(device.ExchangeFrame(1, kAddr, {}, data, error));
    EXPECT_EQ(error, "Improper serial port settings");
    EXPECT_EQ(line.requests.size(), 17u);
    EXPECT_EQ(app().resultFlags(), 8u);

    ScriptedLine recovers(
        {{kTransactLineError, ""}, {kTransactLineError, ""}, {kTransactDone, replyFrame(kAddr, {7})}});
    device.setTransport(&recovers);
    EXPECT_TRUE(device.ExchangeFrame(1, kAddr, {}, data, error));
    EXPECT_EQ(data, Bytes{7});
    EXPECT_EQ(recovers.requests.size(), 3u);
}

TEST_F(ExchangeOverScript, DisconnectedLineIsNotTriedAgain) {
    // Not even APLY, which trusts no reply, counts as done on a line that is gone.
    for (const std::uint16_t hash : {kAddr, kHashApply}) {
        ScriptedLine gone({{kTransactDisconnected, ""}});
        device.setTransport(&gone);
        device.sio().portName = "/dev/ttyUSB0";
        Bytes data;
        std::string error;
        EXPECT_FALSE(device.ExchangeFrame(hash == kAddr, hash, {}, data, error)) << hash;
        EXPECT_EQ(error, "Serial port /dev/ttyUSB0 was closed or disconnected") << hash;
        EXPECT_EQ(gone.requests.size(), 1u) << hash;
        EXPECT_EQ(app().resultFlags(), 2u) << hash;
    }
}

TEST_F(ExchangeOverScript, RejectedReplies) {
    std::string badSum = replyFrame(kAddr, {1});
    badSum[5] = 'V';
    // A read whose reply fails its check is asked once more; a write never is.
    const struct {
        const char* what;
        std::string reply;
        std::string text;
        std::size_t readSends;
    } cases[] = {
        {"wrong checksum", badSum, "Response sum check error", 2},
        {"shorter than a frame", "#HGHG\r", "Response sum check error", 2},
        {"length field past the end", "#" + std::string("HGHHPVMI") + "GGGG\r", "Response sum check error", 2},
        {"cut at 31 characters", replyFrame(kAddr, Bytes(9, 1)).substr(0, 31), "Response sum check error", 2},
        {"another parameter's hash", replyFrame(hash_name("INIT"), {1}),
         "Received function code differs from transmitted function code and from n.Err.", 1},
    };
    for (const auto& c : cases)
        for (const int requestBit : {1, 0}) {
            ScriptedLine line({{kTransactDone, c.reply}});
            device.setTransport(&line);
            Bytes data;
            std::string error;
            EXPECT_FALSE(device.ExchangeFrame(requestBit, kAddr, requestBit ? Bytes{} : Bytes{7}, data, error))
                << c.what;
            EXPECT_EQ(error, c.text) << c.what;
            EXPECT_EQ(line.requests.size(), requestBit ? c.readSends : 1u) << c.what << ", request bit " << requestBit;
        }
}

TEST_F(ExchangeOverScript, OneDamagedReplyToAReadIsAskedAgain) {
    std::string badSum = replyFrame(kAddr, {1});
    badSum[5] = 'V';
    ScriptedLine line({{kTransactDone, badSum}, {kTransactDone, replyFrame(kAddr, {2})}});
    device.setTransport(&line);
    Bytes data;
    std::string error;
    EXPECT_TRUE(device.ExchangeFrame(1, kAddr, {}, data, error)) << error;
    EXPECT_EQ(data, Bytes{2});
    ASSERT_EQ(line.requests.size(), 2u);
    EXPECT_EQ(line.requests[0], line.requests[1]);
}

// Replies under the request's hash that answer no request sent: never taken.
TEST_F(ExchangeOverScript, AReplyForAnotherIndexOrAddressIsRefused) {
    const struct {
        const char* what;
        std::string reply;
        bool taken;
    } cases[] = {
        {"its own", replyFrame(kAddr, {42, 0, 2}), true},
        {"another index", replyFrame(kAddr, {42, 0, 3}), false},
        {"a longer value at another index", replyFrame(kAddr, {1, 2, 3, 0, 3}), false},
        {"another address", *BuildFrame({17, 8, false, kAddr, {42, 0, 2}}), false},
    };
    for (const auto& c : cases) {
        DeviceIO fresh;  // no earlier requests whose late replies these could be
        fresh.baseAddress = 16;
        ScriptedLine line({{kTransactDone, c.reply}});
        fresh.setTransport(&line);
        Bytes data;
        std::string error;
        EXPECT_EQ(fresh.ExchangeFrame(1, kAddr, Bytes{0, 2}, data, error, 0, 2), c.taken) << c.what;
        EXPECT_EQ(error, c.taken ? "" : "The reply answers another request (its address or data index differs)")
            << c.what;
        EXPECT_EQ(line.requests.size(), 1u) << c.what;
    }
}

TEST_F(ExchangeOverScript, ResultFlagRules) {
    Bytes data;
    std::string error;
    // A reply with a header after an earlier time-out turns "no answer" into 8.
    app().replaceResultFlags(4);
    ScriptedLine answers({{kTransactDone, replyFrame(kAddr, {})}});
    device.setTransport(&answers);
    EXPECT_TRUE(device.ExchangeFrame(1, kAddr, {}, data, error));
    EXPECT_EQ(app().resultFlags(), 8u);

    // A time-out does not replace 8.
    ScriptedLine silent({{kTransactTimeout, ""}});
    device.setTransport(&silent);
    EXPECT_FALSE(device.ExchangeFrame(1, kAddr, {}, data, error));
    EXPECT_EQ(app().resultFlags(), 8u);
    // ...but replaces any other value.
    app().replaceResultFlags(2 | 16);
    EXPECT_FALSE(device.ExchangeFrame(1, kAddr, {}, data, error));
    EXPECT_EQ(app().resultFlags(), 4u);
}

TEST_F(ExchangeOverScript, RequestFrameOnTheLine) {
    ScriptedLine line({{kTransactTimeout, ""}});
    device.setTransport(&line);
    Bytes data;
    std::string error;
    device.baseAddress = 200;
    device.ExchangeFrame(1, kAddr, {}, data, error, -1);
    EXPECT_EQ(line.requests.front(), *BuildFrame({255, 8, true, kAddr, {}}));
    device.baseAddress = 1000;
    device.addressLength = 11;
    device.ExchangeFrame(1, kAddr, {}, data, error);
    EXPECT_EQ(line.requests.back(), *BuildFrame({1000, 11, true, kAddr, {}}));

    // More data than the length field holds is never sent.
    line.requests.clear();
    const Bytes tooLong(16, 0);
    EXPECT_FALSE(device.ExchangeFrame(0, kAddr, tooLong, data, error));
    EXPECT_EQ(error, "Request cannot be encrypted ('encode_buffer' function)");
    EXPECT_TRUE(line.requests.empty());
}

TEST_F(ExchangeOverScript, ForeignStatuses) {
    device.setProtocolMode(ProtocolMode::ModbusRtu);
    const std::string echo = WrapForeign(ProtocolMode::ModbusRtu, Bytes{0x10, 0x05, 0xF0, 0xF0, 0xFF, 0x00});
    const struct {
        const char* what;
        std::vector<ScriptedLine::Step> steps;
        int status;
        std::size_t sends;
    } cases[] = {
        {"echo", {{kTransactDone, echo}}, kForeignOk, 1},
        {"time-out twice", {{kTransactTimeout, ""}}, kForeignTimeout, 2},
        {"serial errors", {{kTransactLineError, ""}}, kForeignConnection, 17},
        {"line gone", {{kTransactDisconnected, ""}}, kForeignConnection, 1},
        {"other address",
         {{kTransactDone, WrapForeign(ProtocolMode::ModbusRtu, Bytes{0x11, 0x05})}},
         kForeignAddress,
         1},
        {"bad CRC", {{kTransactDone, echo.substr(0, 7) + "x"}}, kForeignChecksum, 1},
        {"nothing", {{kTransactDone, ""}}, kForeignIncorrect, 1},
    };
    for (const auto& c : cases) {
        ScriptedLine line(c.steps);
        device.setTransport(&line);
        Bytes data;
        EXPECT_EQ(device.ExchangeForeign(NativeModeRequest(ProtocolMode::ModbusRtu), data), c.status) << c.what;
        EXPECT_EQ(line.requests.size(), c.sends) << c.what;
    }

    ScriptedLine line({{kTransactDone, echo}});
    device.setTransport(&line);
    Bytes data;
    device.addressLength = 11;
    EXPECT_EQ(device.ExchangeForeign(NativeModeRequest(ProtocolMode::ModbusRtu), data), kForeignRefused);
    device.addressLength = 8;
    device.setProtocolMode(ProtocolMode::Native);
    EXPECT_EQ(device.ExchangeForeign(NativeModeRequest(ProtocolMode::ModbusRtu), data), kForeignRefused);
    EXPECT_TRUE(line.requests.empty());
}

// ---- texts ------------------------------------------------------------------------

TEST(DeviceErrorTexts, CodesAndTheirTexts) {
    const struct {
        std::uint8_t code;
        const char* key;
        std::string text;
    } cases[] = {
        {0x00, "IDS_STRING225", "No error"},
        {0x03, "IDS_STRING227", "You are trying to change read-only parameter"},
        {0x29, "IDS_STRING614",
         "Networking function is not found, but descriptor is founded. In normal mode this error  should not occur."},
        {0x35, "IDS_STRING246", "Parameter index out of range"},
        {0x36, "IDS_STRING246", "Parameter index out of range"},
        {0x37, "IDS_STRING868", "Code not used (data rejected)"},
        {0x38, "IDS_STRING248", "Group access attribute on the level 0 (root)"},
        {0x39, "IDS_STRING249", "Group access attribute on the level 1"},
        {0x3B, "IDS_STRING249", "Group access attribute on the level 3"},
        {0x3F, "IDS_STRING249", "Group access attribute on the level 7"},
        {0x4B, "IDS_STRING874", "PrevWriteActions() function error"},
        {0x09, "IDS_STRING255", "Error value not found (Code  9)"},
        {0xFF, "IDS_STRING255", "Error value not found (Code -1)"},
        {0x40, "IDS_STRING255", "Error value not found (Code  64)"},
    };
    for (const auto& c : cases) {
        app().replaceResultFlags(2);
        std::string text;
        DeviceErrorText(Bytes{c.code, 0x00}, text);
        EXPECT_EQ(text, c.text) << int(c.code);
        EXPECT_EQ(app().resultFlags(), 16u);
        const std::string keyed = Text(c.key);
        const int signedCode = static_cast<std::int8_t>(c.code);
        if (c.code >= 0x39 && c.code <= 0x3F)
            EXPECT_EQ(text.substr(0, keyed.size()), keyed);
        else if (std::string(c.key) == "IDS_STRING255")
            EXPECT_EQ(text, FormatText(keyed, signedCode));
        else
            EXPECT_EQ(text, keyed);
    }
    app().replaceResultFlags(2);
    std::string text = "kept";
    DeviceErrorText({}, text);
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(app().resultFlags(), 2u);
    app().replaceResultFlags(0);
}

TEST(ForeignTexts, StatusesAndTheirTexts) {
    const struct {
        int status;
        bool hasText;
        std::string text;
    } cases[] = {
        {kForeignTimeout, true, "Time-out error"},
        {kForeignConnection, true, "Connection error"},
        {kForeignChecksum, true, "Check sum error"},
        {kForeignAddress, true, "Device addresses in request and in response are not equal"},
        {kForeignIncorrect, true, "Incorrect response"},
        {kForeignOk, false, ""},
        {kForeignRefused, false, ""},
        {7, false, ""},
    };
    for (const auto& c : cases) {
        std::string text = "previous";
        EXPECT_EQ(ForeignStatusText(c.status, text), c.hasText) << c.status;
        EXPECT_EQ(text, c.text) << c.status;
    }
}

}  // namespace
}  // namespace vantor
