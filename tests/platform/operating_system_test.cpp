#include <gtest/gtest.h>

#include "platform/operating_system.h"

namespace vantor {
namespace {

TEST(OperatingSystem, DistributionNameFromOsReleaseThenTheKernel) {
    struct Case {
        const char* osRelease;
        const char* kernel;
        const char* text;
    };
    const Case cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nVERSION=\"12 (bookworm)\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n",
         "Linux 6.1.0-18-amd64 x86_64", "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64 x86_64"},
        // Without PRETTY_NAME: NAME and VERSION; quotes of either kind, escapes, comments.
        {"# comment\nNAME='Some OS'\nVERSION=\"1.0 \\\"edge\\\"\"\n", "Linux 6.1 x86_64",
         "Some OS 1.0 \"edge\", Linux 6.1 x86_64"},
        {"NAME=Plain\n", "Linux 5.10 aarch64", "Plain, Linux 5.10 aarch64"},
        {"PRETTY_NAME=\"\"\nNAME=Fallback\n", "", "Fallback"},
        {"", "Linux 6.1 x86_64", "Linux 6.1 x86_64"},
        {"", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DescribeOperatingSystem(c.osRelease, c.kernel), c.text) << c.osRelease;
}

TEST(OperatingSystem, TheRunningSystemNamesItsKernel) {
    EXPECT_NE(OperatingSystemText().find("Linux"), std::string::npos) << OperatingSystemText();
}

}  // namespace
}  // namespace vantor
