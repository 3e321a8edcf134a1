#include <gtest/gtest.h>

#include "protocol/frame_codec.h"
#include "sim/builtin_parameters.h"
#include "sim/device_errors.h"
#include "sim/module_fixture.h"

namespace vantor {
namespace {

using test::ModuleFixture;
using test::request;
using test::smallTable;

const std::uint16_t kHashAttributes = hash_name("M.s.t.r.");

TEST(VirtualModule, AnswersTheReadOfAddrAtAddress16) {
    ModuleFixture fixture(16);
    const auto reply = fixture.module.answer("#HGHGPVMIRPTK\r");
    // 10 02 9F 62 00 10 74 F8: the address, two data bytes 00 10, from address 16.
    EXPECT_EQ(reply, std::optional<std::string>("#HGGIPVMIGGHGNKVO\r"));
}

TEST(VirtualModule, StaysQuietForOtherAddressesAndDamagedFrames) {
    ModuleFixture fixture(16);
    EXPECT_FALSE(fixture.askAt(17, "Addr", true));
    EXPECT_FALSE(fixture.module.answer("#HGHGPVMIRPTL\r"));                  // checksum broken
    EXPECT_FALSE(fixture.module.answer("#HGHGPVMI\r"));                      // too short
    EXPECT_FALSE(fixture.module.answer(request(16, "Addr", true, {}, 11)));  // 11-bit frame, 8-bit module
}

TEST(VirtualModule, EveryReplyPassesTheChecksum) {
    ModuleFixture fixture(16);
    const char* names[] = {"Addr", "Gain", "Mode", "Cnt", "Ro", "Lvl", "Flag", "dev", "ver", "NoSuch", "bPS"};
    int replies = 0;
    for (const char* name : names)
        for (int read = 0; read < 2; ++read)
            for (int length = 0; length <= 5; ++length) {
                Bytes data(static_cast<std::size_t>(length), static_cast<std::uint8_t>(length));
                const auto characters = fixture.module.answer(request(16, name, read == 1, data));
                ASSERT_TRUE(characters) << name;
                ASSERT_EQ(characters->front(), '#');
                ASSERT_EQ(characters->back(), '\r');
                const Bytes bytes = decode_buffer(std::string_view(*characters).substr(1, characters->size() - 2));
                ASSERT_GE(bytes.size(), 6u);
                ASSERT_EQ(bytes.size(), 6u + (bytes[1] & 0x0F));
                ASSERT_LE(bytes[1] & 0x0F, 8);  // the configurator's reply buffer holds 8 data bytes
                const auto sum = hash_buffer(std::span(bytes).first(bytes.size() - 2));
                EXPECT_EQ(sum, bytes[bytes.size() - 2] << 8 | bytes.back()) << name;
                ++replies;
            }
    EXPECT_EQ(replies, 11 * 2 * 6);
}

TEST(VirtualModule, ReadsAndWritesValuesByType) {
    ModuleFixture fixture(16);
    struct Case {
        const char* name;
        Bytes written;
    };
    const Case cases[] = {
        {"Gain", {0x42, 0x48, 0x00, 0x00}},  // 50.0
        {"Mode", {0x02}},
        {"Cnt", {0x03, 0xE8}},  // 1000, the upper limit
        {"Cnt", {0x07}},        // one byte is a whole number too
        {"Addr", {0x00, 0x20}},
    };
    for (const Case& c : cases) {
        const auto written = fixture.ask(c.name, false, c.written);
        ASSERT_TRUE(written) << c.name;
        EXPECT_EQ(written->hash, hash_name(c.name));
        EXPECT_EQ(written->data, c.written) << c.name;
        const auto read = fixture.ask(c.name, true);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->data, c.written) << c.name;
    }
}

TEST(VirtualModule, IndexedParametersEchoTheirIndex) {
    ModuleFixture fixture(16);
    auto reply = fixture.ask("Lvl", true, {0x00, 0x02});
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->data, (Bytes{12, 0x00, 0x02}));
    reply = fixture.ask("Lvl", false, {0x2A, 0x00, 0x03});
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->data, (Bytes{0x2A, 0x00, 0x03}));
    EXPECT_EQ(fixture.ask("Lvl", true, {0x00, 0x03})->data, (Bytes{0x2A, 0x00, 0x03}));
    EXPECT_EQ(fixture.ask("Lvl", true, {0x00, 0x02})->data, (Bytes{12, 0x00, 0x02}));
}

TEST(VirtualModule, RefusesWithTheModuleErrorCodes) {
    struct Case {
        const char* what;
        const char* name;
        bool read;
        Bytes data;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"unknown name", "NoSuch", true, {}, sim::kErrUnknownName},
        {"index beyond the parameter", "Lvl", true, {0x00, 0x04}, sim::kErrParameterIndex},
        {"index missing", "Lvl", true, {}, sim::kErrDataLength},
        {"read-only parameter", "Ro", false, {0x01}, sim::kErrReadOnly},
        {"identification", "dev", false, {0x01}, sim::kErrReadOnly},
        {"real beyond its limits", "Gain", false, {0x42, 0xCA, 0x00, 0x00}, sim::kErrRealOutOfRange},  // 101.0
        {"whole number beyond its limits", "Cnt", false, {0x03, 0xE9}, sim::kErrValueForbidden},
        {"choice beyond the list", "Mode", false, {0x03}, sim::kErrValueForbidden},
        {"rate code beyond the list", "bPS", false, {0x09}, sim::kErrValueForbidden},
        {"float of three bytes", "Gain", false, {0x41, 0x20, 0x00}, sim::kErrDataLength},
        {"read with data", "Gain", true, {0x01}, sim::kErrDataLength},
        {"command with data", "INIT", false, {0x01}, sim::kErrDataLength},
    };
    for (const Case& c : cases) {
        ModuleFixture fixture(16);
        const auto reply = fixture.ask(c.name, c.read, c.data);
        ASSERT_TRUE(reply) << c.what;
        EXPECT_EQ(reply->hash, kHashDeviceError) << c.what;
        EXPECT_EQ(reply->data, Bytes{c.code}) << c.what;
    }
}

TEST(VirtualModule, WriteRefusedWhileTheAccessAttributeSaysReadOnly) {
    ModuleFixture fixture(16);
    // The person's parameter made read-only (owner bit kept).
    auto reply = fixture.ask("M.s.t.r.", false, {0x02, 0x9F, 0x62});  // 9F 62: "Addr"
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->data, (Bytes{0x02, 0x9F, 0x62}));
    reply = fixture.ask("Addr", false, {0x00, 0x20});
    EXPECT_EQ(reply->data, Bytes{sim::kErrAttributeReadOnly});
}

TEST(VirtualModule, ExchangesAccessAttributes) {
    ModuleFixture fixture(16);
    const std::uint16_t lvl = hash_name("Lvl");
    const std::uint16_t ro = hash_name("Ro");
    const std::uint16_t flag = hash_name("Flag");
    const auto hi = [](std::uint16_t h) { return static_cast<std::uint8_t>(h >> 8); };
    const auto lo = [](std::uint16_t h) { return static_cast<std::uint8_t>(h & 0xFF); };
    struct Case {
        const char* what;
        bool read;
        Bytes data;
        std::uint16_t hash;
        Bytes expected;
    };
    const Case cases[] = {
        {"read, indexed: 5 bytes",
         true,
         {0x00, 0x01, hi(lvl), lo(lvl)},
         kHashAttributes,
         {0x03, 0x00, 0x01, hi(lvl), lo(lvl)}},
        {"read, not indexed: 3 bytes", true, {hi(ro), lo(ro)}, kHashAttributes, {0x00, hi(ro), lo(ro)}},
        {"clear editable of an own parameter",
         false,
         {0x02, 0x00, 0x01, hi(lvl), lo(lvl)},
         kHashAttributes,
         {0x02, 0x00, 0x01, hi(lvl), lo(lvl)}},
        {"write the unchanged state of a company parameter",
         false,
         {0x00, hi(ro), lo(ro)},
         kHashAttributes,
         {0x00, hi(ro), lo(ro)}},
        {"make a company parameter editable",
         false,
         {0x01, hi(ro), lo(ro)},
         kHashDeviceError,
         {sim::kErrAttributeChange}},
        {"give an own parameter to the company",
         false,
         {0x01, 0x00, 0x00, hi(lvl), lo(lvl)},
         kHashDeviceError,
         {sim::kErrAttributeChange}},
        {"no attributes", true, {hi(flag), lo(flag)}, kHashDeviceError, {sim::kErrNoAttributes}},
        {"index the parameter lacks",
         true,
         {0x00, 0x09, hi(lvl), lo(lvl)},
         kHashDeviceError,
         {sim::kErrAttributeIndex}},
        {"unknown name", true, {0x12, 0x34}, kHashDeviceError, {sim::kErrUnknownName}},
        {"wrong length", true, {0x12}, kHashDeviceError, {sim::kErrDataLength}},
    };
    for (const Case& c : cases) {
        const auto reply = fixture.ask("M.s.t.r.", c.read, c.data);
        ASSERT_TRUE(reply) << c.what;
        EXPECT_EQ(reply->hash, c.hash) << c.what;
        EXPECT_EQ(reply->data, c.expected) << c.what;
    }
    // Element 1 of "Lvl" is read-only now; element 0 is not.
    EXPECT_EQ(fixture.ask("Lvl", false, {0x05, 0x00, 0x01})->data, Bytes{sim::kErrAttributeReadOnly});
    EXPECT_EQ(fixture.ask("Lvl", false, {0x05, 0x00, 0x00})->data, (Bytes{0x05, 0x00, 0x00}));
}

TEST(VirtualModule, IdentifiesItselfAsTheModuleSpellsIt) {
    ModuleFixture kq15(16, 8, smallTable(), 13);
    ModuleFixture kq16(16, 8, smallTable(), 14);
    EXPECT_EQ(kq15.ask("dev", true)->data, sim::reversedText("kq-15"));
    EXPECT_EQ(kq15.ask("dev", true)->data, (Bytes{'5', '1', '-', 'q', 'k'}));
    EXPECT_EQ(kq16.ask("dev", true)->data, sim::reversedText("kq-15"));
    EXPECT_EQ(kq15.ask("tdev", true)->data, Bytes{0});
    EXPECT_EQ(kq16.ask("tdev", true)->data, Bytes{1});
    EXPECT_EQ(kq15.ask("ver", true)->data, (Bytes{'0', '.', '1'}));
    ModuleFixture kq01(16);
    EXPECT_EQ(kq01.ask("dev", true)->data, sim::reversedText("KQ-01"));
    EXPECT_EQ(kq01.ask("tdev", true)->data, Bytes{sim::kErrUnknownName});
}

}  // namespace
}  // namespace vantor
