#include "platform/string_utils.h"

#include <gtest/gtest.h>

namespace vantor {
namespace {

TEST(StringUtils, EqualIgnoringTheCaseOfAsciiLetters) {
    EXPECT_TRUE(equalsIgnoringCase("KQ-16", "kq-16"));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
    EXPECT_FALSE(equalsIgnoringCase("kq-1", "kq-16"));
    EXPECT_FALSE(equalsIgnoringCase("kq-16", "kq-1"));
    EXPECT_FALSE(equalsIgnoringCase("a_b", "a b"));
    EXPECT_FALSE(equalsIgnoringCase("\xC0", "\xE0"));  // Windows-1251 letters are not ASCII
}

TEST(StringUtils, ReplaceAllDoesNotSearchTheReplacements) {
    std::string text = "a_b__c";
    replaceAll(text, "_", "__");
    EXPECT_EQ(text, "a__b____c");
    text = "Input#";
    replaceAll(text, "#", " 12");
    EXPECT_EQ(text, "Input 12");
    text = "\\\\n";
    replaceAll(text, "\\n", "\n");
    EXPECT_EQ(text, "\\\n");
}

}  // namespace
}  // namespace vantor
