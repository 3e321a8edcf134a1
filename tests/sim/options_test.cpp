#include <gtest/gtest.h>

#include "sim/options.h"

namespace vantor {
namespace {

std::optional<sim::Options> parse(std::vector<std::string> args, std::string& error) {
    bool help = false;
    args.insert(args.begin(), {"--model", "KQ-01", "--pty"});
    return sim::parseOptions(args, error, help);
}

TEST(SimOptions, LineSettingsAModuleCanListenWith) {
    struct Case {
        std::vector<std::string> args;
        const char* refusal;  // the message, or null when accepted
    };
    const Case cases[] = {
        {{"--baud", "115200", "--data-bits", "7", "--stop-bits", "2", "--parity", "odd"}, nullptr},
        {{"--alen", "11", "--address", "2047"}, nullptr},
        {{"--address", "255"}, nullptr},
        {{"--address", "256"}, "the address 256 does not fit 8-bit addressing (0 to 255)"},
        {{"--baud", "1200"},
         "a module runs at 2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200 baud, not 1200"},
        {{"--baud", "256000"},
         "a module runs at 2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200 baud, not 256000"},
        {{"--data-bits", "5"}, "a module takes 7 or 8 data bits, not 5"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto options = parse(c.args, error);
        SCOPED_TRACE(c.args.front() + " " + c.args[1]);
        if (!c.refusal) {
            EXPECT_TRUE(options) << error;
            continue;
        }
        EXPECT_FALSE(options);
        EXPECT_EQ(error, c.refusal);
    }
}

TEST(SimOptions, FaultsAsAListOrRepeated) {
    std::string error;
    const auto listed = parse({"--fault", "drop=0.3,badsum=0.2", "--fault", "slow=40"}, error);
    ASSERT_TRUE(listed) << error;
    EXPECT_EQ(listed->faults.drop, 0.3);
    EXPECT_EQ(listed->faults.badSum, 0.2);
    EXPECT_EQ(listed->faults.slowMs, 40);

    for (const char* bad : {"drop=0.3,", "drop=0.3,,badsum=0.2", "drop=0.3,melt=1", ",drop=0.3"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parse({"--fault", bad}, error));
        EXPECT_NE(error.find("fault '"), std::string::npos) << error;
    }
}

TEST(SimOptions, CalibrationItemsAsAListOrRepeated) {
    std::string error;
    const auto options = parse({"--calibration", "signal=97.5,hang", "--calibration", "fail=4"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->calibrationItems, (std::vector<std::string>{"signal=97.5", "hang", "fail=4"}));

    struct Case {
        const char* item;
        sim::CalibrationSettings settings;  // what the item alone sets
    };
    const Case cases[] = {
        {"signal=-20", {.signalPercent = -20}}, {"fail=300", {.failNextJob = 300}},
        {"hang", {.hangNextJob = true}},        {"busy=0", {.busyReads = 0}},
        {"slope=1.12", {.slope = 1.12}},        {"invalid=2", {.invalidCoefficient = 2}},
    };
    for (const Case& c : cases) {
        sim::CalibrationSettings settings;
        EXPECT_TRUE(sim::addCalibrationItem(c.item, settings, error)) << error;
        EXPECT_EQ(settings, c.settings) << c.item;
    }
    for (const char* bad : {"hang=1", "fail", "fail=-1", "busy=1001", "signal=lots", "slope=11", "melt=1", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parse({"--calibration", bad}, error));
        EXPECT_EQ(error.rfind(std::string("calibration '") + bad + "': unknown kind or bad number", 0), 0u) << error;
    }
}

TEST(SimOptions, HelpAnywhereAndWordsRefused) {
    std::string error;
    bool help = false;
    EXPECT_FALSE(sim::parseOptions({"--pty", "--help"}, error, help));
    EXPECT_TRUE(help);
    EXPECT_FALSE(parse({"KQ-01"}, error));
    EXPECT_EQ(error, "unexpected argument 'KQ-01'");
}

}  // namespace
}  // namespace vantor
