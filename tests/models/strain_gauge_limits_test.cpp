#include <gtest/gtest.h>

#include <cmath>

#include "models/strain_gauge_limits.h"

namespace vantor {
namespace {

TEST(StrainGaugeLimits, TheLineThroughTwoPointsIsWorkedOutInFloats) {
    const struct {
        CalibrationPoint lower, higher;
        UserLimits expected;
    } cases[] = {
        // k = 0.05 mV and 0.1 units per percent.
        {{20, 2, 1}, {80, 8, 4}, {"0.000000", "5.000000", "0.000000", "10.000000"}},
        // In doubles the last three would read 15.534950, -15293.416392 and 115059.514842.
        {{12.5F, 1000.7F, 0.1234F},
         {87.5F, 98765.4F, 13.3333F},
         {"-2.078250", "15.534949", "-15293.416016", "115059.515625"}},
        // The points may come in either order; a falling line is a line too.
        {{90, 0, 2}, {10, 100, -2}, {"-2.500000", "2.500000", "112.500000", "-12.500000"}},
    };
    for (const auto& c : cases) {
        const std::optional<UserLimits> limits = userLimits(c.lower, c.higher);
        ASSERT_TRUE(limits) << c.expected.signalAt0;
        EXPECT_EQ(limits->signalAt0, c.expected.signalAt0);
        EXPECT_EQ(limits->signalAt100, c.expected.signalAt100);
        EXPECT_EQ(limits->unitsAt0, c.expected.unitsAt0);
        EXPECT_EQ(limits->unitsAt100, c.expected.unitsAt100);
    }
}

TEST(StrainGaugeLimits, EqualPercentagesGiveNoLine) {
    EXPECT_FALSE(userLimits({50, 1, 1}, {50, 9, 3}));
    EXPECT_FALSE(userLimits({0, 0, 0}, {-0.0F, 0, 0}));
}

TEST(StrainGaugeLimits, TypedNumbersTakeADecimalCommaAndRefuseWhatIsNotWhollyANumber) {
    const struct {
        const char* typed;
        std::optional<float> number;
    } cases[] = {
        {"12,5", 12.5F},        {"12.5", 12.5F},       {" -3", -3.0F},        {"7kg", std::nullopt},
        {"1e3", std::nullopt},  {"", std::nullopt},    {"abc", std::nullopt}, {",", std::nullopt},
        {"1e39", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(typedNumber(c.typed), c.number) << c.typed;
}

TEST(StrainGaugeLimits, TheStatusTellsAFailedCalibrationByItsMask) {
    const struct {
        const char* status;
        bool failed;
    } cases[] = {
        {"0", false},  {"16", false},  {"31", false},  {"32", true}, {"64", true},   {"128", true},
        {"256", true}, {"512", false}, {"528", false}, {"", false},  {"abc", false}, {"288", true},
    };
    for (const auto& c : cases) EXPECT_EQ(calibrationFailed(c.status), c.failed) << c.status;
}

TEST(StrainGaugeLimits, SevenSensitivitiesHaveARange) {
    const std::pair<const char*, const char*> expected[] = {{"-4", "+4"},    {"-7.5", "+7.5"}, {"-15", "+15"},
                                                            {"-35", "+35"},  {"-70", "+70"},   {"-140", "+140"},
                                                            {"-300", "+300"}};
    for (int i = 0; i < 7; ++i) {
        const std::optional<InputRange> range = sensitivityRange(i);
        ASSERT_TRUE(range) << i;
        EXPECT_STREQ(range->lower, expected[i].first);
        EXPECT_STREQ(range->upper, expected[i].second);
    }
    EXPECT_FALSE(sensitivityRange(7));
    EXPECT_FALSE(sensitivityRange(-1));
}

}  // namespace
}  // namespace vantor
