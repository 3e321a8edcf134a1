#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/frame.h"
#include "protocol/frame_codec.h"
#include "protocol/name_hash.h"

namespace vantor {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(RequestFrame, AddrWorkedExamples) {
    const struct {
        FrameFields fields;
        Bytes binary;
    } cases[] = {
        {{16, 8, true, 0x9F62, {}}, {0x10, 0x10, 0x9F, 0x62, 0xB9, 0xD4}},
        {{1000, 11, true, 0x9F62, {}}, {0x7D, 0x10, 0x9F, 0x62, 0x89, 0x7F}},
        {{16, 8, false, 0x9F62, {0x00, 0x10}}, {0x10, 0x02, 0x9F, 0x62, 0x00, 0x10, 0x74, 0xF8}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildBinaryFrame(c.fields), c.binary);
        EXPECT_EQ(BuildFrame(c.fields), "#" + encode_buffer(c.binary) + "\r");
    }
    EXPECT_EQ(BuildFrame({16, 8, true, hash_name("Addr"), {}}), "#HGHGPVMIRPTK\r");
}

TEST(RequestFrame, AddressForms) {
    EXPECT_EQ(wireAddress(16, -1), 255);
    EXPECT_EQ(wireAddress(200, -1), 255);
    EXPECT_EQ(wireAddress(16, 3), 19);
    // Any length other than 11 is 8-bit addressing.
    EXPECT_EQ(BuildBinaryFrame({16, 9, true, 0x9F62, {}}), BuildBinaryFrame({16, 8, true, 0x9F62, {}}));
    // 11-bit: the three low address bits ride in the top of byte 1.
    const Bytes frame = *BuildBinaryFrame({1003, 11, false, 0x9F62, {}});
    EXPECT_EQ(frame[0], 0x7D);
    EXPECT_EQ(frame[1], 0x60);
}

TEST(RequestFrame, LengthFieldLimitsDataToFifteenBytes) {
    FrameFields fields{16, 8, false, 0x9F62, Bytes(15, 0xAA)};
    const auto full = BuildFrame(fields);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->size(), 2u * 15 + 14);
    fields.data.push_back(0xAA);
    EXPECT_FALSE(BuildBinaryFrame(fields));
    EXPECT_FALSE(BuildFrame(fields));
}

TEST(ReceivedFrameParse, ReadsBackWhatWasBuilt) {
    const FrameFields sent{1003, 11, false, 0x0233, {0x35, 0x01}};
    ReceivedFrame frame;
    ASSERT_EQ(ParseFrame(*BuildFrame(sent), frame), FrameCheck::Ok);
    EXPECT_EQ(frame.address(11), 1003);
    EXPECT_FALSE(frame.requestBit());
    EXPECT_EQ(frame.hash, 0x0233);
    EXPECT_EQ(frame.data, sent.data);

    ASSERT_EQ(ParseFrame("#HGHGPVMIRPTK\r", frame), FrameCheck::Ok);
    EXPECT_EQ(frame.address(8), 16);
    EXPECT_TRUE(frame.requestBit());
    EXPECT_EQ(frame.hash, 0x9F62);
    EXPECT_TRUE(frame.data.empty());
}

TEST(ReceivedFrameParse, RejectsWithoutReadingPastTheReceivedCharacters) {
    const std::string good = "#HGHGPVMIRPTK\r";
    std::string badSum = good;
    badSum[11] = 'G';
    // Claims one data byte but carries none.
    const std::string longerNibble = "#" + encode_buffer(Bytes{0x10, 0x11, 0x9F, 0x62, 0x00, 0x00}) + "\r";
    // A reply cut at 31 characters: the length field asks for more than arrived.
    const std::string cut = BuildFrame({16, 8, false, 0x9F62, Bytes(9, 0x11)})->substr(0, 31);
    const struct {
        std::string characters;
        FrameCheck expected;
    } cases[] = {
        {"", FrameCheck::NoHeader},
        {"#", FrameCheck::NoHeader},
        {"XHGHGPVMIRPTK\r", FrameCheck::NoHeader},
        {"#\r", FrameCheck::BadLength},
        {"#HGHGPVMIRP\r", FrameCheck::BadLength},
        {longerNibble, FrameCheck::BadLength},
        {cut, FrameCheck::BadLength},
        {badSum, FrameCheck::BadChecksum},
        {"#HGHGPVMIRPTW\r", FrameCheck::BadChecksum},
    };
    for (const auto& c : cases) {
        ReceivedFrame frame;
        frame.hash = 0x1111;
        EXPECT_EQ(ParseFrame(c.characters, frame), c.expected) << c.characters;
        EXPECT_EQ(frame.hash, 0x1111) << "left untouched on failure";
    }
}

}  // namespace
}  // namespace vantor
