#include <gtest/gtest.h>

#include "platform/encoding.h"

namespace vantor {
namespace {

TEST(Encoding, Windows1251AndUtf8BothWays) {
    struct Case {
        std::string cp1251;
        std::string utf8;
    };
    const Case cases[] = {
        {"kq-21", "kq-21"}, {"\xEAq-21", "кq-21"}, {"\xC0\xDF\xE0\xFF", "АЯая"}, {"\xA8\xB8\xB9", "Ёё№"}, {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1251ToUtf8(c.cp1251), c.utf8);
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251);
    }
}

TEST(Encoding, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(cp1251ToUtf8("a\x98z"), "a?z");          // undefined in the code page
    EXPECT_EQ(utf8ToCp1251("a\xE4\xB8\xADz"), "a?z");  // CJK character
    EXPECT_EQ(utf8ToCp1251("a\xC3z"), "a?z");          // cut UTF-8 sequence
}

}  // namespace
}  // namespace vantor
