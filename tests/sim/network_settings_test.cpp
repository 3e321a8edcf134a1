#include <gtest/gtest.h>

#include "sim/device_errors.h"
#include "sim/module_fixture.h"

namespace vantor {
namespace {

using test::ModuleFixture;
using test::parseReply;
using test::request;

const Bytes kAddress32{0x00, 0x20};

TEST(ModuleNetworkSettings, AddressTakesEffectOnlyAfterAply) {
    ModuleFixture fixture(16);
    ASSERT_EQ(fixture.ask("Addr", false, kAddress32)->data, kAddress32);
    // Stored, not yet in force: the module still listens at 16 and reads back 32.
    EXPECT_EQ(fixture.askAt(16, "Addr", true)->data, kAddress32);
    EXPECT_FALSE(fixture.askAt(32, "Addr", true));

    // The APLY reply still comes from address 16; then the module moves.
    const auto applied = fixture.askAt(16, "APLY", false);
    ASSERT_TRUE(applied);
    EXPECT_EQ(applied->address, 16);
    EXPECT_EQ(applied->hash, kHashApply);
    EXPECT_TRUE(applied->data.empty());
    EXPECT_FALSE(fixture.askAt(16, "Addr", true));
    const auto moved = fixture.askAt(32, "Addr", true);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->address, 32);
    EXPECT_EQ(fixture.module.settings().address, 32);
}

TEST(ModuleNetworkSettings, BroadcastAplyActsSilently) {
    ModuleFixture fixture(16);
    fixture.ask("Addr", false, kAddress32);
    EXPECT_FALSE(fixture.askAt(255, "Addr", true)) << "no answer and no action on a broadcast read";
    EXPECT_EQ(fixture.module.settings().address, 16);
    EXPECT_FALSE(fixture.askAt(255, "APLY", false));
    EXPECT_EQ(fixture.module.settings().address, 32);
}

TEST(ModuleNetworkSettings, InitRestartsWithThePendingSettingsAndKeepsTheValues) {
    ModuleFixture fixture(16);
    fixture.ask("Cnt", false, {0x02, 0x00});
    fixture.ask("Addr", false, kAddress32);
    fixture.ask("bPS", false, {0x08});  // 115200
    fixture.ask("PrtY", false, {0x01});
    fixture.ask("Sbit", false, {0x01});
    const auto restarted = fixture.askAt(16, "INIT", false);
    ASSERT_TRUE(restarted);
    EXPECT_EQ(restarted->hash, hash_name("INIT"));
    EXPECT_EQ(fixture.module.restarts(), 1);
    const sim::NetworkSettings& now = fixture.module.settings();
    EXPECT_EQ(now.address, 32);
    EXPECT_EQ(now.line, (sim::LineSettings{115200, sim::Parity::Even, 8, 2}));
    EXPECT_EQ(fixture.askAt(32, "Cnt", true)->data, (Bytes{0x02, 0x00}));
}

TEST(ModuleNetworkSettings, ElevenBitAddressing) {
    ModuleFixture fixture(1000, 11);
    // The read of "Addr" at 1000 with 11-bit addressing: 7D 10 9F 62 89 7F.
    const std::string frame = request(1000, "Addr", true, {}, 11);
    EXPECT_EQ(frame, "#NTHGPVMIOPNV\r");
    const auto reply = parseReply(fixture.module.answer(frame), 11);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->address, 1000);
    EXPECT_EQ(reply->data, (Bytes{0x03, 0xE8}));
    EXPECT_FALSE(fixture.module.answer(request(1001, "Addr", true, {}, 11)));

    // Switching to 8-bit addressing through "A.Len" and APLY.
    fixture.ask("Addr", false, {0x00, 0x07});
    fixture.ask("A.Len", false, {0x00});  // the choice "8"
    fixture.ask("APLY", false);
    EXPECT_EQ(fixture.module.settings().addressLength, 8);
    const auto eightBit = parseReply(fixture.module.answer(request(7, "Addr", true)), 8);
    ASSERT_TRUE(eightBit);
    EXPECT_EQ(eightBit->data, (Bytes{0x00, 0x07}));
}

TEST(ModuleNetworkSettings, DefaultsComeBackWithSDef) {
    ModuleFixture fixture(16);
    fixture.ask("Gain", false, {0x42, 0x48, 0x00, 0x00});
    fixture.ask("M.s.t.r.", false,
                {0x02, 0x00, 0x00, static_cast<std::uint8_t>(hash_name("Lvl") >> 8),
                 static_cast<std::uint8_t>(hash_name("Lvl") & 0xFF)});
    ASSERT_TRUE(fixture.ask("S.Def", false));
    EXPECT_EQ(fixture.ask("Gain", true)->data, (Bytes{0x41, 0x20, 0x00, 0x00}));
    EXPECT_EQ(fixture.ask("Lvl", false, {0x05, 0x00, 0x00})->data, (Bytes{0x05, 0x00, 0x00}));
}

TEST(ModuleNetworkSettings, OneShotCommandsAreAcknowledged) {
    ModuleFixture fixture(16);
    for (const char* command : {"U.Apl", "UApl"}) {
        const auto reply = fixture.ask(command, false);
        ASSERT_TRUE(reply) << command;
        EXPECT_EQ(reply->hash, hash_name(command));
        EXPECT_TRUE(reply->data.empty());
    }
}

}  // namespace
}  // namespace vantor
