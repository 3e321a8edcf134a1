#include "cmdline/numbers.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace vantor::cmdline {
namespace {

TEST(CommandLineNumbers, WholeNumbersAreTheWholeTextWithinTheRange) {
    struct Case {
        const char* text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"0", 0},     {"-1", -1},         {"2047", 2047},     {"007", 7},
        {"2048", {}}, {"-2", {}},         {"", {}},           {" 1", {}},
        {"1 ", {}},   {"+1", {}},         {"1x", {}},         {"0x10", {}},
        {"1.0", {}},  {"2147483648", {}}, {"4294967297", {}}, {"-9223372036854775809", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseWhole(c.text, -1, 2047), c.value) << "'" << c.text << "'";
}

TEST(CommandLineNumbers, UnsignedAndHexadecimal) {
    const auto most = std::numeric_limits<std::uint32_t>::max();
    EXPECT_EQ(parseWhole<std::uint32_t>("4294967295", 0, most), most);
    EXPECT_EQ(parseWhole<std::uint32_t>("4294967296", 0, most), std::nullopt);
    EXPECT_EQ(parseWhole<std::uint32_t>("-1", 0, most), std::nullopt);
    EXPECT_EQ(parseWhole<std::uint16_t>("9f62", 0, 0xFFFF, 16), 0x9F62);
    EXPECT_EQ(parseWhole<std::uint16_t>("12  ", 0, 0xFFFF, 16), std::nullopt);
    EXPECT_EQ(parseWhole<std::uint16_t>("10000", 0, 0xFFFF, 16), std::nullopt);
}

TEST(CommandLineNumbers, RealNumbersWithinTheRangeAndNeverNaN) {
    EXPECT_EQ(parseReal("0.3", 0, 1), 0.3);
    EXPECT_EQ(parseReal("1e-1", 0, 1), 0.1);
    EXPECT_EQ(parseReal("1", 0, 1), 1.0);
    for (const char* bad : {"nan", "inf", "1.5", "-0.1", "", "0.3 ", "0,3", "0x1p-2"})
        EXPECT_EQ(parseReal(bad, 0, 1), std::nullopt) << bad;
}

TEST(CommandLineNumbers, HexBytesInPairs) {
    EXPECT_EQ(parseHexBytes("00 10"), (std::vector<std::uint8_t>{0x00, 0x10}));
    EXPECT_EQ(parseHexBytes("fF0a"), (std::vector<std::uint8_t>{0xFF, 0x0A}));
    EXPECT_EQ(parseHexBytes(""), std::vector<std::uint8_t>{});
    for (const char* bad : {"001", "0G", "-1", "+1", "0x"}) EXPECT_EQ(parseHexBytes(bad), std::nullopt) << bad;
}

TEST(CommandLineNumbers, ListsSplitAtEveryComma) {
    EXPECT_EQ(splitList("drop=0.3,badsum=0.2"), (std::vector<std::string>{"drop=0.3", "badsum=0.2"}));
    EXPECT_EQ(splitList("a,,b,"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(splitList(""), std::vector<std::string>{""});
}

TEST(CommandLineNumbers, RangeMessageNamesOptionAndRange) {
    EXPECT_EQ(rangeMessage("--seed", "x", 0, 4294967295), "--seed takes a whole number from 0 to 4294967295, not 'x'");
    EXPECT_EQ(rangeMessage("--model", "KQ-99", 0, 22, "a model name or index"),
              "--model takes a model name or index from 0 to 22, not 'KQ-99'");
}

}  // namespace
}  // namespace vantor::cmdline
