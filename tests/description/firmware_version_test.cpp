#include "description/firmware_version.h"

#include <climits>

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(FirmwareVersion, ReadAsTheIfLinesReadIt) {
    struct Case {
        const char* text;
        int major, minor;
    };
    const Case cases[] = {
        {"2.1", 2, 1},    {"0x10.010", 16, 8},           {"1..2", 1, 2},  {".3.4", 3, 4}, {"7", 7, -1}, {"x.5", -1, 5},
        {"2.1abc", 2, 1}, {"99999999999.1", INT_MAX, 1}, {"-3.2", -3, 2}, {"", -1, -1},
    };
    for (const Case& c : cases) {
        const FirmwareVersion version = readFirmwareVersion(c.text);
        EXPECT_EQ(version.major, c.major) << c.text;
        EXPECT_EQ(version.minor, c.minor) << c.text;
    }
}

TEST(FirmwareVersion, ExactOnlyForTwoPlainNumbers) {
    const auto version = exactFirmwareVersion("0x10.2");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 16);
    EXPECT_EQ(version->minor, 2);
    EXPECT_TRUE(exactFirmwareVersion("2147483647.0"));
    for (const char* bad : {"99999999999.1", "2147483648.0", "1.2.3", "1", "1.", ".1", "-1.2", "+1.2", " 1.2", "1.2 ",
                            "08.1", "two", "1..2"})
        EXPECT_FALSE(exactFirmwareVersion(bad)) << bad;
}

}  // namespace
}  // namespace vantor
