#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/foreign.h"

namespace vantor {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes withAddress(std::uint8_t address, const Bytes& message) {
    Bytes bytes{address};
    for (std::uint8_t b : message) bytes.push_back(b);
    return bytes;
}

TEST(ForeignChecksums, KnownValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(modbusCrc(Bytes(digits.begin(), digits.end())), 0x4B37);
    EXPECT_EQ(modbusLrc(Bytes{0x10, 0x05, 0xF0, 0xF0, 0xFF, 0x00}), 0x0C);
    EXPECT_EQ(modbusLrc(Bytes{}), 0x00);
}

TEST(ForeignWrap, NativeModeRequestToAddress16) {
    const struct {
        ProtocolMode mode;
        std::string line;
    } cases[] = {
        {ProtocolMode::ModbusRtu, std::string("\x10\x05\xF0\xF0\xFF\x00\xBC\x48", 8)},
        {ProtocolMode::ModbusAscii, ":1005F0F0FF000C\r\n"},
        {ProtocolMode::Dcon, "%10TAVRC3\r"},
        {ProtocolMode::Native, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapForeign(c.mode, withAddress(0x10, NativeModeRequest(c.mode))), c.line)
            << static_cast<int>(c.mode);
    EXPECT_TRUE(NativeModeRequest(ProtocolMode::Native).empty());
}

TEST(ForeignUnwrap, RoundTripsEveryProtocolInBothDirections) {
    const Bytes bytes = withAddress(0x10, NativeModeRequest(ProtocolMode::ModbusRtu));
    const Bytes dcon = withAddress(0x10, NativeModeRequest(ProtocolMode::Dcon));
    for (auto direction : {ForeignDirection::Request, ForeignDirection::Reply}) {
        for (auto mode : {ProtocolMode::ModbusRtu, ProtocolMode::ModbusAscii, ProtocolMode::Dcon}) {
            const Bytes& sent = mode == ProtocolMode::Dcon ? dcon : bytes;
            Bytes received;
            EXPECT_EQ(UnwrapForeign(mode, WrapForeign(mode, sent, direction), received, direction), kForeignOk);
            EXPECT_EQ(received, sent);
        }
    }
}

TEST(ForeignUnwrap, BadReplies) {
    const struct {
        ProtocolMode mode;
        std::string line;
        int status;
    } cases[] = {
        {ProtocolMode::ModbusRtu, std::string("\x10\x05\xF0\xF0\xFF\x00\xBC\x49", 8), kForeignChecksum},
        {ProtocolMode::ModbusRtu, "\x10\x05", kForeignIncorrect},
        {ProtocolMode::ModbusAscii, ":1005F0F0FF000D\r\n", kForeignChecksum},
        {ProtocolMode::ModbusAscii, ":1005F0F0FF000C", kForeignIncorrect},     // no carriage return
        {ProtocolMode::ModbusAscii, "1005F0F0FF000C\r\n", kForeignIncorrect},  // no colon
        {ProtocolMode::ModbusAscii, ":1005F0F0FF00G0\r\n", kForeignIncorrect},
        {ProtocolMode::ModbusAscii, ":105F0F0FF000C\r\n", kForeignIncorrect},  // odd digit count
        {ProtocolMode::Dcon, "!1082\r", kForeignOk},
        {ProtocolMode::Dcon, "!1083\r", kForeignChecksum},
        {ProtocolMode::Dcon, "?10A0\r", kForeignIncorrect},  // sum is right, lead is not
        {ProtocolMode::Dcon, "!1\r", kForeignIncorrect},
        {ProtocolMode::Native, "#HGHGPVMIRPTK\r", kForeignIncorrect},
    };
    for (const auto& c : cases) {
        Bytes received;
        EXPECT_EQ(UnwrapForeign(c.mode, c.line, received), c.status) << c.line;
    }
}

TEST(ForeignUnwrap, AsciiFindsTheChecksumFromTheCarriageReturnWithoutTheLineFeed) {
    Bytes received;
    ASSERT_EQ(UnwrapForeign(ProtocolMode::ModbusAscii, ":1005F0F0FF000C\r", received), kForeignOk);
    EXPECT_EQ(received, (Bytes{0x10, 0x05, 0xF0, 0xF0, 0xFF, 0x00}));
}

}  // namespace
}  // namespace vantor
