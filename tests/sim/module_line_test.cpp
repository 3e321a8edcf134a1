#include <gtest/gtest.h>

#include "protocol/foreign.h"
#include "protocol/frame_codec.h"
#include "sim/device_errors.h"
#include "sim/module_fixture.h"
#include "sim/module_line.h"

namespace vantor {
namespace {

using test::ModuleFixture;
using test::parameter;
using test::parseReply;
using test::request;

std::vector<std::optional<std::string>> replies(sim::ModuleLine& line, const std::string& bytes) {
    std::vector<std::optional<std::string>> out;
    for (auto& exchange : line.receive(bytes)) out.push_back(exchange.reply);
    return out;
}

TEST(ModuleLine, CutsFramesOutOfNoise) {
    ModuleFixture fixture(16);
    sim::ModuleLine line(fixture.module, sim::FaultInjector({}, 1));
    const std::string read = request(16, "Addr", true);
    // Noise, half a frame, a frame started again by "#", and two frames in one chunk.
    EXPECT_TRUE(line.receive("xx\x01" + read.substr(0, 5)).empty());
    EXPECT_TRUE(line.inFrame());
    const auto answers = replies(line, read + "zz" + read);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0], answers[1]);
    EXPECT_EQ(answers[0], std::optional<std::string>("#HGGIPVMIGGHGNKVO\r"));
}

TEST(ModuleLine, WakesUpOnlyOnTheNativeModeRequestOfItsProtocol) {
    const ProtocolMode modes[] = {ProtocolMode::ModbusRtu, ProtocolMode::ModbusAscii, ProtocolMode::Dcon};
    for (ProtocolMode mode : modes) {
        ModuleFixture fixture(16);
        sim::ModuleLine line(fixture.module, sim::FaultInjector({}, 1), mode);
        const std::string native = request(16, "Addr", true);
        EXPECT_TRUE(replies(line, native).empty());

        std::vector<std::uint8_t> message{16};
        const auto command = NativeModeRequest(mode);
        message.insert(message.end(), command.begin(), command.end());
        std::vector<std::uint8_t> other = message;
        other[0] = 17;
        EXPECT_TRUE(replies(line, WrapForeign(mode, other)).empty()) << "another module's request";

        const auto woken = replies(line, "\x7f" + WrapForeign(mode, message));
        ASSERT_EQ(woken.size(), 1u);
        ASSERT_TRUE(woken[0]);
        std::vector<std::uint8_t> unwrapped;
        ASSERT_EQ(UnwrapForeign(mode, *woken[0], unwrapped), kForeignOk);
        ASSERT_FALSE(unwrapped.empty());
        EXPECT_EQ(unwrapped[0], 16);
        if (mode != ProtocolMode::Dcon) {
            EXPECT_EQ(unwrapped, message) << "Modbus echoes the coil write";
        }

        const auto answers = replies(line, native);
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0], std::optional<std::string>("#HGGIPVMIGGHGNKVO\r"));
    }
}

// What each fault does to the reply "#HGGIPVMIGGHGNKVO\r" at probability 1; at
// probability 0 the reply comes through untouched.
TEST(ModuleLine, InjectsEachFault) {
    const std::string clean = "#HGGIPVMIGGHGNKVO\r";
    struct Case {
        const char* fault;
        std::function<void(const std::optional<std::string>&)> check;
    };
    const Case cases[] = {
        {"drop", [](auto& reply) { EXPECT_FALSE(reply); }},
        {"badsum",
         [](auto& reply) {
             ASSERT_TRUE(reply);
             ReceivedFrame frame;
             EXPECT_EQ(ParseFrame(*reply, frame), FrameCheck::BadChecksum);
         }},
        {"badhash",
         [](auto& reply) {
             ASSERT_TRUE(reply);
             ReceivedFrame frame;
             ASSERT_EQ(ParseFrame(*reply, frame), FrameCheck::Ok);
             EXPECT_NE(frame.hash, 0x9F62);
             EXPECT_NE(frame.hash, kHashDeviceError);
             EXPECT_EQ(frame.data, (Bytes{0x00, 0x10}));
         }},
        {"garbage",
         [&](auto& reply) {
             ASSERT_TRUE(reply);
             EXPECT_NE(reply->front(), '#');
             EXPECT_EQ(reply->substr(reply->find('#')), clean);
         }},
        {"nerr",
         [](auto& reply) {
             const auto parsed = parseReply(reply);
             ASSERT_TRUE(parsed);
             EXPECT_EQ(parsed->hash, kHashDeviceError);
             EXPECT_EQ(parsed->data, Bytes{sim::kErrBusy});
             EXPECT_EQ(parsed->address, 16);
         }},
    };
    for (const Case& c : cases) {
        for (const char* probability : {"1", "0"}) {
            sim::FaultSettings settings;
            std::string error;
            ASSERT_TRUE(sim::addFault(std::string(c.fault) + "=" + probability, settings, error)) << error;
            ModuleFixture fixture(16);
            sim::ModuleLine line(fixture.module, sim::FaultInjector(settings, 7));
            const auto answers = replies(line, request(16, "Addr", true));
            ASSERT_EQ(answers.size(), 1u);
            SCOPED_TRACE(std::string(c.fault) + "=" + probability);
            if (std::string(probability) == "1")
                c.check(answers[0]);
            else
                EXPECT_EQ(answers[0], std::optional<std::string>(clean));
        }
    }
}

TEST(ModuleLine, AReplyUnderAnotherHashNeverPosesAsADeviceError) {
    sim::ParameterTable table;
    table.add(parameter("BWRQ", "int", {0x01}));  // its hash 0x1322 is "n.Err" with 0x1111 flipped
    ASSERT_EQ(hash_name("BWRQ"), 0x1322);
    sim::FaultSettings settings;
    std::string error;
    ASSERT_TRUE(sim::addFault("badhash=1", settings, error)) << error;
    ModuleFixture fixture(16, 8, std::move(table));
    sim::ModuleLine line(fixture.module, sim::FaultInjector(settings, 1));
    const auto answers = replies(line, request(16, "BWRQ", true));
    ASSERT_EQ(answers.size(), 1u);
    const auto reply = parseReply(answers[0]);
    ASSERT_TRUE(reply);
    EXPECT_NE(reply->hash, 0x1322);
    EXPECT_NE(reply->hash, kHashDeviceError);
    EXPECT_EQ(reply->data, Bytes{0x01});
}

TEST(ModuleLine, GoesDeafAfterTheGivenNumberOfFrames) {
    sim::FaultSettings settings;
    std::string error;
    ASSERT_TRUE(sim::addFault("deaf-after=2", settings, error));
    ModuleFixture fixture(16);
    sim::ModuleLine line(fixture.module, sim::FaultInjector(settings, 1));
    const std::string read = request(16, "Addr", true);
    const auto answers = replies(line, read + read + read + read);
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_TRUE(answers[0] && answers[1]);
    EXPECT_FALSE(answers[2] || answers[3]);
}

TEST(ModuleLine, SameSeedSameFaults) {
    sim::FaultSettings settings;
    std::string error;
    ASSERT_TRUE(sim::addFault("drop=0.5", settings, error));
    ASSERT_TRUE(sim::addFault("garbage=0.5", settings, error));
    const auto run = [&](std::uint32_t seed) {
        ModuleFixture fixture(16);
        sim::ModuleLine line(fixture.module, sim::FaultInjector(settings, seed));
        std::string bytes;
        for (int i = 0; i < 40; ++i) bytes += request(16, "Addr", true);
        return replies(line, bytes);
    };
    const auto first = run(42);
    EXPECT_EQ(first, run(42));
    EXPECT_NE(first, run(43));
    // Seed 42 drops 23 of the 40 replies and puts garbage before 8 of the other 17.
    EXPECT_EQ(std::count(first.begin(), first.end(), std::nullopt), 23);
    EXPECT_EQ(
        std::count_if(first.begin(), first.end(), [](const auto& reply) { return reply && reply->front() != '#'; }), 8);
}

TEST(ModuleLine, RejectsBadFaultItems) {
    const std::string badNumber =
        "unknown kind or bad number (drop, badsum, badhash, garbage, nerr, slow=0..60000, deaf-after)";
    const std::string badProbability = "the probability must be a number from 0 to 1";
    const std::pair<std::string, std::string> cases[] = {
        {"drop", "expected KIND=NUMBER"},
        {"drop=2", badProbability},
        {"drop=-0.1", badProbability},
        {"slow=x", "unknown kind or bad number (drop, badsum, badhash, garbage, nerr, slow=0..60000, deaf-after)"},
        {"deaf-after=1.5", badNumber},
        {"melt=1", badNumber},
        {"slow=inf", badNumber},
        {"slow=60001", badNumber},
        {"slow=1e11", badNumber},
        {"deaf-after=1e300", badNumber},
        {"drop=nan", badProbability},
    };
    for (const auto& [item, reason] : cases) {
        sim::FaultSettings settings;
        std::string error;
        EXPECT_FALSE(sim::addFault(item, settings, error)) << item;
        EXPECT_EQ(error, "fault '" + item + "': " + reason);
    }
}

}  // namespace
}  // namespace vantor
