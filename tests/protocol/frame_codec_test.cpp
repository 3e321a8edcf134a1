#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/frame_codec.h"
#include "protocol/name_hash.h"

namespace vantor {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST(FrameChecksum, WorkedExamples) {
    EXPECT_EQ(hash_buffer(bytesOf("abc")), 0x4F8D);
    EXPECT_EQ(hash_buffer(bytesOf("123456789")), 0xB581);
    EXPECT_EQ(hash_buffer({}), 0);
}

TEST(FrameChecksum, CrcBitsFeedsOnlyTheRequestedTopBits) {
    EXPECT_EQ(crc_bits(0xFF, 0, 0x1234), 0x1234);
    EXPECT_EQ(crc_bits(0xFF, -3, 0x1234), 0x1234);
    // One set bit into a zero register is the polynomial itself; the low bits of the
    // value are never looked at when only the top bit is fed.
    EXPECT_EQ(crc_bits(0x80, 1, 0), 0x8F57);
    EXPECT_EQ(crc_bits(0xFF, 1, 0), crc_bits(0x80, 1, 0));
    EXPECT_EQ(crc_bits('a', 8, 0), hash_buffer(bytesOf("a")));
}

TEST(FrameCharacters, EncodeAndDecodeWorkedExample) {
    const std::vector<std::uint8_t> bytes{0x00, 0xFF, 0x5A};
    EXPECT_EQ(encode_buffer(bytes), "GGVVLQ");
    EXPECT_EQ(decode_buffer("GGVVLQ"), bytes);
}

TEST(FrameCharacters, DecodeIgnoresAnUnpairedCharacterAndKeepsStrayOnesInTheirNibble) {
    EXPECT_EQ(decode_buffer("HGH"), (std::vector<std::uint8_t>{0x10}));
    // 'W' is one past 'V': it wraps within its own nibble instead of carrying over.
    EXPECT_EQ(decode_buffer("GW"), (std::vector<std::uint8_t>{0x00}));
    EXPECT_EQ(decode_buffer("WG"), (std::vector<std::uint8_t>{0x00}));
}

TEST(NameHash, NamesTheProgramUses) {
    const struct {
        const char* name;
        std::uint16_t hash;
    } cases[] = {
        {"n.Err", 0x0233}, {"APLY", 0x8403}, {"INIT", 0x00E9}, {"M.s.t.r.", 0x5EA0},
        {"CHAr", 0x3628},  {"JuRD", 0xBEAC}, {"Addr", 0x9F62}, {"", 0x0000},
    };
    for (const auto& c : cases) EXPECT_EQ(hash_name(c.name), c.hash) << c.name;
}

TEST(NameHash, SpellingsThatHashAlike) {
    const struct {
        const char* a;
        const char* b;
    } cases[] = {
        {"addr", "Addr"},    {"ADDR", "Addr"},           {".Addr", "Addr"},
        {"Addr", "A?d*d/r"}, {"ABCDEFGH1", "ABCDEFGH2"},  // past the eighth character
        {"ABCDE", "ABCD"},   {"ABCD", "ABCD    "},        // fifth code unused, blanks pad
    };
    for (const auto& c : cases) EXPECT_EQ(hash_name(c.a), hash_name(c.b)) << c.a << " vs " << c.b;
    EXPECT_NE(hash_name("n.Err"), hash_name("nErr"));
    EXPECT_NE(hash_name("A_B"), hash_name("A-B"));
}

}  // namespace
}  // namespace vantor
