#include <gtest/gtest.h>

#include "params/network_name.h"
#include "text/texts.h"

namespace vantor {
namespace {

TEST(NetworkName, EncodesFourCodesInOrder) {
    const NetworkNameCodes none{};  // not looked at for a refused text
    struct Case {
        const char* text;
        NetworkNameError error;
        NetworkNameCodes codes;
    };
    const Case cases[] = {
        {"ab.c", NetworkNameError::None, {20, 23, 24, 78}},
        {"7", NetworkNameError::None, {14, 78, 78, 78}},
        {"ABCD.", NetworkNameError::None, {20, 22, 24, 27}},
        {"ABCDE+", NetworkNameError::None, {20, 22, 24, 26}},  // ends after the fifth
        {"ABCDE..", NetworkNameError::None, {20, 22, 24, 26}},
        {"ABCD+", NetworkNameError::BadCharacter, none},  // the fifth is checked
        {"ABCD.+", NetworkNameError::BadCharacter, none},
        {"ABCD.EFGH", NetworkNameError::TooLong, none},  // 9 characters
    };
    for (const Case& c : cases) {
        NetworkNameCodes codes;
        EXPECT_EQ(encodeNetworkName(c.text, codes), c.error) << c.text;
        if (c.error == NetworkNameError::None) {
            EXPECT_EQ(codes, c.codes) << c.text;
        }
    }
}

TEST(NetworkName, ElementCodesReadBackAsCharacters) {
    // What the exchange of "CHAr*" does with the four codes the module returns.
    std::string text;
    for (int code : {20, 23, 76, 79}) ASSERT_TRUE(appendNetworkNameCharacter(code, text));
    EXPECT_EQ(text, "AB./ .");
    EXPECT_FALSE(appendNetworkNameCharacter(80, text));
    EXPECT_EQ(text, "AB./ .");
}

TEST(NetworkName, MessagesOfTheNetworkNameParameter) {
    struct Case {
        NetworkNameError error;
        const char* text;
    };
    const Case cases[] = {
        {NetworkNameError::Empty, "Network name is empty (CHAr)"},
        {NetworkNameError::TooLong, "Network name is too long (CHAr)"},
        {NetworkNameError::BadCharacter, "Invalid character in network name (CHAr)"},
    };
    for (const Case& c : cases) EXPECT_EQ(networkNameMessage(c.error), c.text);
    EXPECT_EQ(networkNameCodeMessage(), "Invalid character code in network name (CHAr)");
    EXPECT_EQ(networkNameCodeMessage(), Text("IDS_STRING878"));
}

}  // namespace
}  // namespace vantor
