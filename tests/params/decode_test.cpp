#include <gtest/gtest.h>

#include "codec_test_support.h"
#include "description/catalogue.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::decode;

struct DecodeCase {
    const char* type;
    const char* name;
    Bytes data;
    const char* text;
};

class DecodeTypes : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTypes, GivesTheValueText) {
    const DecodeCase& c = GetParam();
    const test::Decoded got = decode(c.type, c.name, c.data);
    EXPECT_EQ(got.result, kConvertOk);
    EXPECT_EQ(got.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DecodeTypes,
    ::testing::Values(
        DecodeCase{"STORED_DOT", "x", {0x90, 0x7D}, "-12.500"}, DecodeCase{"STORED_DOT", "x", {0x00, 0x07}, "7.000"},
        DecodeCase{"stored_dot", "x", {0x10, 0x30, 0x39}, "1234.500"},
        DecodeCase{"STORED DOT", "x", {0x25}, "0.050"},  // a description writes "_" as blank
        DecodeCase{"STORED_DOT", "x", {0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "1152921504606846976.000"},
        DecodeCase{"float", "x", {0x41, 0x20, 0x00, 0x00}, "10.000"},
        DecodeCase{"float", "r.oe", {0x41, 0x20, 0x00}, "10.000"},
        DecodeCase{"float", "R.OE", {0xC1, 0x20, 0x00}, "-10.000"},
        DecodeCase{"float", "r.oe", {0x41, 0x20, 0x00, 0x00}, "10.000"},
        DecodeCase{"float", "r.oe", {0x7F, 0xC0, 0x00, 0x00}, "Invalid value"},
        DecodeCase{"float", "x", {0x7F, 0x7F, 0xFF, 0xFF}, "340282346638528859811704183484516925440.000"},
        DecodeCase{"int", "x", {0xC8}, "200"}, DecodeCase{"int", "x", {0x01, 0x2C}, "300"},
        DecodeCase{"int", "x", {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"}, DecodeCase{"int16", "x", {0xFF, 0xFE}, "65534"},
        DecodeCase{"sint16", "x", {0xFF, 0xFE}, "-2"}, DecodeCase{"sint", "x", {0x80}, "-128"},
        DecodeCase{"sint", "x", {0xFE, 0x00, 0x00}, "-2"},
        DecodeCase{"sint16", "x", {0x80, 0x00, 0x12, 0x34}, "-32768"},
        DecodeCase{"CLK_frm", "x", {0x02, 0xF2}, "12:34"}, DecodeCase{"CLK_frm", "x", {0x3D}, "01:01"},
        DecodeCase{"CLK frm", "x", {0x02, 0xF2}, "12:34"},  // as a description gives it
        DecodeCase{"CLK_frm", "x", {0x3D, 0x02, 0xF2}, "01:01"}, DecodeCase{"string", "x", {'1', '2', '3'}, "321"},
        DecodeCase{"ASCII", "x", {'C', 'B', 'A', 0x00}, "ABC"},
        DecodeCase{"string", "x", {0xE2, 0xEE, 0xEB}, "лов"},  // Windows-1251 letters
        DecodeCase{"name", "x", {0x4E, 0x18, 0x17, 0x14}, "AB.C "},
        DecodeCase{"name", "x", {0x4C, 0x4A, 0x48, 0x00, 0x12, 0x34}, "0-_/"},
        DecodeCase{"none:even:odd", "x", {0x02}, "odd"}, DecodeCase{"none:even:odd", "x", {0x00, 0x01}, "even"},
        DecodeCase{"unknown", "x", {0x05}, "5"}, DecodeCase{"void", "x", {}, ""}, DecodeCase{"int", "APLY", {}, ""},
        DecodeCase{"int", "bPS", {0x00}, "2400"}, DecodeCase{"int", "bps", {0x00, 0x08}, "115200"},
        DecodeCase{"none:even:odd", "PrtY", {0x01}, "even"}, DecodeCase{"int", "Sbit", {0x00}, "1"},
        DecodeCase{"int", "Sbit", {0x01}, "2"}, DecodeCase{"int", "Addr", {0x01, 0x00}, "256"},
        DecodeCase{"string", "dev", {'1', '0', '-', 'q', 'k'}, "kq-01"},
        DecodeCase{"string", "ver", {'3', '.', '1'}, "1.3"}));

struct FailCase {
    const char* type;
    const char* name;
    Bytes data;
    int result;
};

class DecodeFailures : public ::testing::TestWithParam<FailCase> {};

TEST_P(DecodeFailures, ReportTheFailure) {
    const FailCase& c = GetParam();
    const test::Decoded got = decode(c.type, c.name, c.data);
    EXPECT_EQ(got.result, c.result);
    const bool badCode = c.type == std::string("name") && c.data.size() == 4;
    if (c.result == kConvertRejected && !badCode) {
        EXPECT_EQ(got.text, FormatText(Text("IDS_STRING486"), static_cast<long long>(c.data.size())));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, DecodeFailures,
    ::testing::Values(FailCase{"int", "x", {}, kConvertImpossible}, FailCase{"int", "x", {1, 2, 3}, kConvertRejected},
                      FailCase{"int16", "x", {1, 2, 3, 4, 5}, kConvertRejected},
                      FailCase{"sint", "x", {1, 2, 3, 4, 5}, kConvertRejected},
                      FailCase{"CLK_frm", "x", {1, 2, 3, 4, 5}, kConvertRejected},
                      FailCase{"name", "x", {0x4E, 0x4E, 0x4E}, kConvertRejected},
                      FailCase{"name", "x", {0x4E, 0x50, 0x4E, 0x4E}, kConvertRejected},  // code 80
                      FailCase{"float", "x", {0x41, 0x20}, kConvertRejected},
                      FailCase{"float", "x", {0x41, 0x20, 0x00}, kConvertRejected},
                      FailCase{"float", "r.oe", {0x41, 0x20}, kConvertRejected},
                      FailCase{"float", "r.oe", {0x41, 0x20, 0x00, 0x00, 0x00}, kConvertRejected},
                      FailCase{"void", "x", {0x01}, kConvertRejected},
                      FailCase{"STORED_DOT", "x", {0, 0, 0, 0, 0, 0, 0, 0, 0}, kConvertImpossible},
                      FailCase{"none:even:odd", "x", {0x03}, kConvertImpossible},
                      FailCase{"int", "bPS", {0x09}, kConvertImpossible},
                      FailCase{"none:even:odd", "PrtY", {0x03}, kConvertImpossible},
                      FailCase{"int", "Sbit", {0x02}, kConvertImpossible}));

TEST(DecodeLength, ReplyShorterThanItsTrailerCannotBeDecoded) {
    // An indexed reply of one byte leaves -1 bytes once the two index bytes are cut.
    struct Case {
        const char* type;
        const char* name;
    };
    const Case cases[] = {{"void", "x"}, {"int", "APLY"}, {"int", "x"}};
    const std::uint8_t reply[] = {0x05};
    for (const Case& c : cases) {
        MyConverter converter(c.name);
        converter.type = c.type;
        std::string text = "before";
        EXPECT_EQ(converter.ConvertFromData(reply, -1, text), kConvertImpossible) << c.type;
        EXPECT_EQ(converter.StoreFromData(reply, -1), kConvertImpossible) << c.type;
        EXPECT_EQ(converter.valueText, "no data") << c.type;
    }
}

TEST(DecodeFloat, InvalidMarkersShowInvalidValueAndStillSucceed) {
    for (const Bytes& data : {Bytes{0x7F, 0xC0, 0x00, 0x00}, Bytes{0xFF, 0xFF, 0xFF, 0xFF},
                              Bytes{0xFF, 0x80, 0x00, 0x01}, Bytes{0x7F, 0x80, 0x00, 0x00}}) {
        const test::Decoded got = decode("float", "x", data);
        EXPECT_EQ(got.result, kConvertOk);
        EXPECT_EQ(got.text, Text("IDS_STRING485"));
        EXPECT_EQ(got.text, "Invalid value");
    }
}

TEST(DecodeFloat, KeepsTheLastNumber) {
    MyConverter converter("x");
    converter.type = "float";
    std::string text;
    ASSERT_EQ(converter.ConvertFromData(Bytes{0x41, 0x20, 0x00, 0x00}, text), kConvertOk);
    ASSERT_TRUE(converter.lastNumber.has_value());
    EXPECT_EQ(*converter.lastNumber, 10.0f);
}

TEST(DecodeLength, MessageNamesTheLength) {
    const test::Decoded got = decode("int", "x", {1, 2, 3});
    EXPECT_EQ(got.text, "Invalid response length: 3");
}

TEST(DecodeNetworkName, CodeAbove79IsNotAllowed) {
    const test::Decoded got = decode("name", "x", {0x4E, 0x50, 0x4E, 0x4E});
    EXPECT_EQ(got.text, Text("IDS_STRING487"));
    EXPECT_EQ(got.text, "Not allowed symbol in network name");
}

TEST(DecodeDeviceName, LookAlikeSpellingsOfTheMetersBecomeTheCatalogueNames) {
    // "kq-2N" with the 'k' written as the Cyrillic ka (0xEA, capital 0xCA), reversed.
    struct Case {
        Bytes data;
        const char* name;
    };
    const Case cases[] = {
        {{'1', '2', '-', 'q', 0xEA}, "kq-21"}, {{'2', '2', '-', 'q', 0xEA}, "kq-22"},
        {{'3', '2', '-', 'Q', 0xCA}, "kq-23"}, {{'4', '2', '-', 'q', 0xEA}, "kq-24"},
        {{'5', '2', '-', 'q', 0xEA}, "кq-25"},  // no meter: kept, shown as UTF-8
    };
    for (const Case& c : cases) EXPECT_EQ(decode("string", "dev", c.data).text, c.name);
    // The names are those the catalogue holds for the four meters.
    for (int model = 19; model <= 22; ++model)
        EXPECT_EQ(cases[model - 19].name, std::string(modelCatalogue()[model].identification));
}

TEST(ReadingForms, ApplyOnlyToTheListedModels) {
    const Bytes status{0xF7};
    for (int model : {0, 7, 8, 12, 17})
        EXPECT_EQ(decode("int", "rEAd", status, CodecContext::ofModel(model)).text, "Sensor OFF") << model;
    for (int model : {-1, 1, 19})
        EXPECT_EQ(decode("int", "rEAd", status, CodecContext::ofModel(model)).text, "247") << model;
    EXPECT_EQ(decode("int", "rEAd", status).text, "247") << "no model";
}

TEST(ReadingForms, DecodeByReplyLength) {
    struct Case {
        const char* name;
        Bytes data;
        int result;
        const char* text;
    };
    const Case cases[] = {
        {"rEAd", {0xFF, 0xFE}, kConvertOk, "-2"},
        {"iRDt", {0x01, 0x00, 0xAA, 0xBB}, kConvertOk, "256"},
        {"iRD", {0x41, 0x20, 0x00, 0x00, 0x00, 0x05}, kConvertOk, "10.000"},
        {"read", {1, 2, 3}, kConvertImpossible, nullptr},
        {"rEAd", {1, 2, 3, 4, 5}, kConvertImpossible, nullptr},
        {"rEAd", {1, 2, 3, 4, 5, 6, 7}, kConvertImpossible, nullptr},
        {"iRD", {1, 2, 3, 4, 5, 6, 7, 8}, kConvertImpossible, nullptr},
    };
    for (const Case& c : cases) {
        const test::Decoded got = decode("int", c.name, c.data, CodecContext::ofModel(0));
        EXPECT_EQ(got.result, c.result) << c.name;
        if (c.text) {
            EXPECT_EQ(got.text, c.text) << c.name;
        }
    }
}

TEST(ReadingForms, SixByteReadingGoesThroughTheModelFormatter) {
    CodecContext context = CodecContext::ofModel(8);
    context.formatReal = [](double value) { return "v=" + std::to_string(static_cast<int>(value)); };
    EXPECT_EQ(decode("float", "rEAd", {0x41, 0x20, 0x00, 0x00, 0x00, 0x00}, context).text, "v=10");
}

TEST(ReadingForms, StatusTable) {
    struct Case {
        std::uint8_t code;
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {0xF0, "IDS_STRING473", "Definitive invalid value"},
        {0xF6, "IDS_STRING474", "Data not prepared"},
        {0xF7, "IDS_STRING476", "Sensor OFF"},
        {0xF8, "IDS_STRING477", "Cold junction temperature too high"},
        {0xF9, "IDS_STRING478", "Cold junction temperature too low"},
        {0xFA, "IDS_STRING368", "Measured value too high"},
        {0xFB, "IDS_STRING369", "Measured value too low"},
        {0xFC, "IDS_STRING479", "Shot-cut"},
        {0xFD, "IDS_STRING480", "Sensor break"},
        {0xFE, "IDS_STRING483", "No connection with ADC"},
        {0xFF, "IDS_STRING481", "Invalid calibration factor"},
        {0xF1, "IDS_STRING484", "Calibration factors cannot be transformed"},
        {0x00, "IDS_STRING484", "Calibration factors cannot be transformed"},
    };
    for (const Case& c : cases) {
        const test::Decoded got = decode("int", "iRD", {c.code}, CodecContext::ofModel(0));
        EXPECT_EQ(got.result, kConvertOk);
        EXPECT_EQ(got.text, Text(c.key));
        EXPECT_EQ(got.text, c.text);
    }
}

TEST(StoreFromData, KeepsTheTextUnlessTheReplyCannotBeDecoded) {
    MyConverter converter("x");
    converter.type = "int";
    const std::uint8_t three[] = {1, 2, 3};
    EXPECT_EQ(converter.StoreFromData(three, 3), kConvertRejected);
    EXPECT_EQ(converter.valueText, "Invalid response length: 3");
    converter.valueText = "7";
    EXPECT_EQ(converter.StoreFromData(three, 0), kConvertImpossible);
    EXPECT_EQ(converter.valueText, "7");
}

}  // namespace
}  // namespace vantor
