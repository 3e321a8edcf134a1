#include <gtest/gtest.h>

#include <optional>

#include "params/number_text.h"

namespace vantor {
namespace {

struct TypedCase {
    const char* text;
    std::optional<double> number;
};

class TypedDecimals : public ::testing::TestWithParam<TypedCase> {};

TEST_P(TypedDecimals, AreWhollyASignDigitsAndOneSeparator) {
    const TypedCase& c = GetParam();
    EXPECT_EQ(typedDecimal(c.text), c.number) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedDecimals,
    ::testing::Values(TypedCase{"1.5", 1.5}, TypedCase{"1,5", 1.5}, TypedCase{"-2,25", -2.25}, TypedCase{"+7", 7.0},
                      TypedCase{" 12 ", 12.0}, TypedCase{"5.", 5.0}, TypedCase{",5", 0.5}, TypedCase{"007", 7.0},
                      TypedCase{"1.5x", std::nullopt}, TypedCase{"2..5", std::nullopt},
                      TypedCase{"1,5.0", std::nullopt}, TypedCase{"1.5 7", std::nullopt}, TypedCase{"--", std::nullopt},
                      TypedCase{"-", std::nullopt}, TypedCase{"", std::nullopt}, TypedCase{" ", std::nullopt},
                      TypedCase{".", std::nullopt}, TypedCase{"+-1", std::nullopt}, TypedCase{"1-", std::nullopt},
                      TypedCase{"1e3", std::nullopt}, TypedCase{"0x10", std::nullopt}, TypedCase{"inf", std::nullopt},
                      TypedCase{"nan", std::nullopt}, TypedCase{"no data", std::nullopt}));

TEST(WholeIntegers, ComeFromTypedDecimalsWithoutAFraction) {
    EXPECT_EQ(wholeInteger("-40000"), -40000);
    EXPECT_EQ(wholeInteger("7,0"), 7);
    EXPECT_EQ(wholeInteger("7.5"), std::nullopt);
    EXPECT_EQ(wholeInteger("7 5"), std::nullopt);
    EXPECT_EQ(wholeInteger("5x"), std::nullopt);
}

}  // namespace
}  // namespace vantor
