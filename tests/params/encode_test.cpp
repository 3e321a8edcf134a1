#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::encode;

struct EncodeCase {
    const char* type;
    const char* name;
    const char* text;
    int decimals;
    Bytes data;
};

class EncodeTypes : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTypes, GivesTheDataBytes) {
    const EncodeCase& c = GetParam();
    const test::Encoded got = encode(c.type, c.name, c.text, c.decimals);
    EXPECT_EQ(got.result, kConvertOk) << got.reason;
    EXPECT_EQ(got.data, c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EncodeTypes,
    ::testing::Values(
        EncodeCase{"STORED_DOT", "x", "-12.5", 0, {0x90, 0x7D}},
        EncodeCase{"STORED_DOT", "x", "1234.5", 0, {0x10, 0x30, 0x39}},
        EncodeCase{"STORED_DOT", "x", "0.0004", 0, {0x00, 0x00}}, EncodeCase{"STORED_DOT", "x", "7", 0, {0x00, 0x07}},
        EncodeCase{"STORED_DOT", "x", "1.25", 0, {0x20, 0x7D}}, EncodeCase{"STORED_DOT", "x", "0.001", 0, {0x30, 0x01}},
        EncodeCase{"STORED_DOT", "x", "12.5", 3, {0x30, 0x30, 0xD4}},
        EncodeCase{"STORED_DOT", "x", "1.23456", 9, {0x34, 0xD2}},  // places clamped to 3
        EncodeCase{"STORED_DOT", "x", "104857.6", 0, {0x10, 0x10, 0x00, 0x00}},
        EncodeCase{"float", "x", "10", 0, {0x41, 0x20, 0x00, 0x00}},
        EncodeCase{"float", "x", "1,5", 0, {0x3F, 0xC0, 0x00, 0x00}},
        EncodeCase{"STORED_DOT", "x", "-12,5", 0, {0x90, 0x7D}},
        EncodeCase{"float", "r.oe", "10", 0, {0x41, 0x20, 0x00}},
        EncodeCase{"float", "R.OE", "10", 0, {0x41, 0x20, 0x00, 0x00}},  // writing is case-exact
        EncodeCase{"int", "x", "300", 0, {0x01, 0x2C}}, EncodeCase{"int", "x", "200", 0, {0xC8}},
        EncodeCase{"int", "x", "7.0 ", 0, {0x07}}, EncodeCase{"int", "x", "70000", 0, {0x11, 0x70}},  // the low 16 bits
        EncodeCase{"int", "Addr", "200", 0, {0x00, 0xC8}}, EncodeCase{"int", "soUr", "1", 0, {0x00, 0x01}},
        EncodeCase{"int", "Alr.t", "1", 0, {0x00, 0x01}}, EncodeCase{"int", "tHP", "1", 0, {0x00, 0x01}},
        EncodeCase{"int", "tP.H", "1", 0, {0x00, 0x01}}, EncodeCase{"int", "CLB.K", "1", 0, {0x00, 0x01}},
        EncodeCase{"int16", "x", "5", 0, {0x00, 0x05}}, EncodeCase{"CLK_frm", "x", "12:34", 0, {0x02, 0xF2}},
        EncodeCase{"CLK_frm", "x", "12:3", 0, {0x02, 0xD3}}, EncodeCase{"CLK_frm", "x", "1:05", 0, {0x41}},
        EncodeCase{"CLK_frm", "tP.H", "1:05", 0, {0x00, 0x41}},
        EncodeCase{"CLK_frm", "Addr", "1:05", 0, {0x41}},  // Addr is two bytes for int only
        EncodeCase{"name", "x", "ab.c", 0, {0x4E, 0x18, 0x17, 0x14}},
        EncodeCase{"name", "x", "12345", 0, {0x08, 0x06, 0x04, 0x02}},
        EncodeCase{"name", "x", "a/-_", 0, {0x4A, 0x48, 0x4C, 0x14}},
        EncodeCase{"none:even:odd", "x", "odd", 0, {0x02}}, EncodeCase{"none:even:odd", "x", "EVEN", 0, {0x01}},
        EncodeCase{"void", "x", "anything", 0, {}}, EncodeCase{"int", "U.Apl", "1", 0, {}},
        EncodeCase{"int", "uapl", "1", 0, {}}));

struct RefusedCase {
    const char* type;
    const char* name;
    std::string text;
    int result;
    const char* key;  // the reason's key
};

class EncodeRefusals : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(EncodeRefusals, GiveTheResultAndReason) {
    const RefusedCase& c = GetParam();
    const test::Encoded got = encode(c.type, c.name, c.text);
    EXPECT_EQ(got.result, c.result);
    EXPECT_TRUE(got.data.empty());
    const std::string reason =
        std::string(c.key) == "IDS_STRING460" ? FormatText(Text(c.key), std::string(c.name)) : Text(c.key);
    EXPECT_EQ(got.reason, reason);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EncodeRefusals,
    ::testing::Values(RefusedCase{"string", "dev", "x", kConvertRejected, "IDS_STRING460"},
                      RefusedCase{"string", "VER", "x", kConvertRejected, "IDS_STRING460"},
                      RefusedCase{"int", "exit", "1", kConvertRejected, "IDS_STRING460"},
                      // Signed readings take no text: a bad value, not a missing setter.
                      RefusedCase{"sint", "x", "1", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"sint16", "x", "40000", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"sint16", "", "-2", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"string", "x", "abc", kConvertRejected, "IDS_STRING460"},
                      RefusedCase{"ASCII", "x", "abc", kConvertRejected, "IDS_STRING460"},
                      RefusedCase{"name", "x", "", kConvertRejected, "IDS_STRING488"},
                      RefusedCase{"name", "x", "ABCDEFGHI", kConvertRejected, "IDS_STRING489"},
                      RefusedCase{"name", "x", ".AB", kConvertRejected, "IDS_STRING490"},
                      RefusedCase{"name", "x", "A+B", kConvertRejected, "IDS_STRING490"},
                      RefusedCase{"name", "x", "A..B", kConvertRejected, "IDS_STRING490"},
                      RefusedCase{"CLK_frm", "x", "1m:05", kConvertRejected, "IDS_STRING461"},
                      RefusedCase{"CLK_frm", "x", " ", kConvertRejected, "IDS_STRING461"},
                      RefusedCase{"CLK_frm", "x", "1092:16", kConvertImpossible, "IDS_STRING461"},  // 65536 s
                      RefusedCase{"int", "x", "5x", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"int", "x", "no data", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"int", "x", "7.5", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"float", "x", "abc", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"float", "x", "1e39", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"float", "x", "1.5x", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"float", "x", "2..5", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"float", "x", "1.5 7", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"float", "x", "", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"STORED_DOT", "x", "--", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"int", "x", "1,5", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"STORED_DOT", "x", "nan", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"STORED_DOT", "x", "268435456", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"none:even:odd", "x", "unknown", kConvertImpossible, "IDS_STRING461"},
                      RefusedCase{"int", "x", std::string(512, '1'), kConvertImpossible, "IDS_STRING461"}));

TEST(EncodeMessages, QuoteTheNamesAndTexts) {
    EXPECT_EQ(encode("string", "dev", "x").reason, "Setter method are not defined for the function 'dev'");
    EXPECT_EQ(encode("name", "x", "").reason, "Network name empty");
    EXPECT_EQ(encode("name", "x", "ABCDEFGHI").reason, "Network name too long");
    EXPECT_EQ(encode("name", "x", "A+B").reason, "Not allowed symbol in network name");
    EXPECT_EQ(encode("int", "x", "5x").reason, "Bad value (data encoding impossible)");
}

TEST(EncodeEnumeration, PositionsAbove126AreNotFound) {
    std::string type = "e0";
    for (int i = 1; i <= 127; ++i) type += ":e" + std::to_string(i);
    EXPECT_EQ(encode(type, "x", "e126").data, Bytes{126});
    EXPECT_EQ(encode(type, "x", "e127").result, kConvertImpossible);
}

TEST(EncodeValueText, TakesTexts511Long) {
    const std::string longest = std::string(508, ' ') + "300";
    EXPECT_EQ(encode("float", "x", longest).result, kConvertOk);
    EXPECT_EQ(encode("float", "x", longest + " ").result, kConvertImpossible);
}

}  // namespace
}  // namespace vantor
