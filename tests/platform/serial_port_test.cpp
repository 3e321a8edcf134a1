// The serial port's own pieces that need no line: line-error marks in what the driver
// delivers, and the device path of a port name.
#include <gtest/gtest.h>

#include <string>

#include "platform/serial_port.h"

namespace vantor {
namespace {

TEST(LineMarks, DataAndMarkedErrors) {
    const struct {
        std::string raw;
        std::string data;
        bool lineError;
    } cases[] = {
        {"#AB\r", "#AB\r", false},
        {std::string("\xFF\xFF\x01", 3), std::string("\xFF\x01", 2), false},
        {std::string("A\xFF\x00\x00"
                     "B",
                     5),
         "AB", true},                               // break
        {std::string("A\xFF\x00Z", 4), "A", true},  // framing or parity error on 'Z'
    };
    for (const auto& c : cases) {
        LineMarkDecoder decoder;
        std::string data;
        EXPECT_EQ(decoder.feed(c.raw, data), c.lineError);
        EXPECT_EQ(data, c.data);
    }
}

TEST(LineMarks, MarkSplitAcrossReads) {
    LineMarkDecoder decoder;
    std::string data;
    EXPECT_FALSE(decoder.feed("A\xFF", data));
    EXPECT_FALSE(decoder.feed(std::string(1, '\0'), data));
    EXPECT_TRUE(decoder.feed("Z", data));
    EXPECT_FALSE(decoder.feed("\xFF", data));
    EXPECT_FALSE(decoder.feed("\xFF", data));
    EXPECT_EQ(data, "A\xFF");
}

TEST(SerialNames, ComNumbersAreTtySDevices) {
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"COM1", "/dev/ttyS0"},
        {"COM10", "/dev/ttyS9"},
        {"com3", "/dev/ttyS2"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {"COM0", "COM0"},
        {"COMX", "COMX"},
        {"COM", "COM"},
        // Longer than the 31 characters a port name field once held: kept whole.
        {"/dev/serial/by-id/usb-Adapter_RS485_0001-if00-port0", "/dev/serial/by-id/usb-Adapter_RS485_0001-if00-port0"},
    };
    for (const auto& c : cases) EXPECT_EQ(serialDevicePath(c.name), c.path) << c.name;
}

}  // namespace
}  // namespace vantor
