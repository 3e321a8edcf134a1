#include <gtest/gtest.h>

#include "params/parameter.h"

namespace vantor {
namespace {

struct SetValueCase {
    const char* name;
    const char* type;
    double low, high;
    const char* text;
    bool accepted;
    const char* stored;  // value text after acceptance
};

class SetValueRules : public ::testing::TestWithParam<SetValueCase> {};

TEST_P(SetValueRules, AcceptOrLeaveTheParameterAlone) {
    const SetValueCase& c = GetParam();
    Parameter parameter(c.name);
    parameter.type = c.type;
    parameter.lowLimit = c.low;
    parameter.highLimit = c.high;
    parameter.valueText = "before";
    EXPECT_EQ(parameter.SetValue(c.text), c.accepted);
    EXPECT_EQ(parameter.valueText, c.accepted ? c.stored : "before");
    EXPECT_EQ(parameter.valueChanged, c.accepted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SetValueRules,
    ::testing::Values(
        SetValueCase{"CHAr*", "int", 0, 0, "AB.C", true, "AB.C"},
        SetValueCase{"char*", "int", 0, 0, "a/-_", true, "a/-_"},
        SetValueCase{"CHAr*", "int", 0, 0, "1.2.3.4.", true, "1.2.3.4."},
        SetValueCase{"CHAr*", "int", 0, 0, "ABCDE", false, nullptr},
        SetValueCase{"CHAr*", "int", 0, 0, "A+B", false, nullptr},
        SetValueCase{"CHAr*", "int", 0, 0, ".AB", false, nullptr},
        SetValueCase{"CHAr*", "int", 0, 0, "A..B", false, nullptr},
        SetValueCase{"x", "int", 0, 10, "10.5", false, nullptr}, SetValueCase{"x", "int", 0, 10, "11", false, nullptr},
        SetValueCase{"x", "int", 0, 10, "5x", false, nullptr}, SetValueCase{"x", "int", 0, 10, "7", true, "7"},
        SetValueCase{"x", "int", 0, 10, "7.000001", true, "7.000001"},
        SetValueCase{"x", "int16", 0, 0, "-40000", true, "-40000"}, SetValueCase{"x", "int", 0, 0, "", false, nullptr},
        SetValueCase{"x", "float", 0, 1, "1.0008", true, "1.001"},
        SetValueCase{"x", "float", 0, 1, "1.001", false, nullptr},
        SetValueCase{"x", "float", 0, 0, "2.5abc", false, nullptr},
        SetValueCase{"x", "float", 0, 0, "1,5", true, "1.500"},
        SetValueCase{"x", "float", 0, 0, "2..5", false, nullptr},
        SetValueCase{"x", "float", 0, 0, "1.5 7", false, nullptr},
        SetValueCase{"x", "float", 0, 0, "--", false, nullptr}, SetValueCase{"x", "float", 0, 0, "", false, nullptr},
        SetValueCase{"x", "float", 0, 0, "1e3", false, nullptr}, SetValueCase{"x", "int", 0, 10, "7,0", true, "7,0"},
        SetValueCase{"x", "int", 0, 10, "--", false, nullptr},
        SetValueCase{"x", "STORED_DOT", 0, 0, "1.5x", false, nullptr},
        SetValueCase{"x", "STORED_DOT", 0, 0, "-0,25", true, "-0.250"},
        SetValueCase{"x", "CLK_frm", 0, 0, "1:5x", false, nullptr},
        SetValueCase{"x", "CLK_frm", 0, 0, "--", false, nullptr},
        SetValueCase{"x", "float", 0, 0, "abc", false, nullptr},
        SetValueCase{"x", "float", 0, 0, "nan", false, nullptr},
        SetValueCase{"x", "STORED_DOT", -1, 0, "-0.5", true, "-0.500"},
        SetValueCase{"x", "CLK_frm", 0, 723, "12:3", true, "12:3"},
        SetValueCase{"x", "CLK_frm", 0, 722, "12:3", false, nullptr},
        SetValueCase{"x", "CLK_frm", 0, 754, "12:34", true, "12:34"},
        SetValueCase{"x", "CLK_frm", 0, 0, "12.34", false, nullptr},
        SetValueCase{"x", "CLK_frm", 0, 0, "", false, nullptr}, SetValueCase{"x", "CLK_frm", 0, 0, ":", false, nullptr},
        SetValueCase{"x", "CLK_frm", 0, 0, "0:00", true, "0:00"},
        SetValueCase{"x", "none:even:odd", 0, 0, "whatever", true, "whatever"},
        SetValueCase{"x", "string", 5, 6, "text", true, "text"}));

TEST(SetValue, KeepsFullPrecisionWhenAsked) {
    Parameter parameter("x");
    parameter.type = "float";
    ASSERT_TRUE(parameter.SetValue("1.23456789", true));
    EXPECT_EQ(parameter.valueText, "1.234568");
    ASSERT_TRUE(parameter.SetValue("1.23456789", false));
    EXPECT_EQ(parameter.valueText, "1.235");
}

TEST(SetValueText, StoresWithoutChecksOrChangeMark) {
    Parameter parameter("x");
    parameter.type = "int";
    parameter.highLimit = 1;
    parameter.SetValueText("not a number");
    EXPECT_EQ(parameter.valueText, "not a number");
    EXPECT_EQ(parameter.valueChanged, 0);
}

}  // namespace
}  // namespace vantor
