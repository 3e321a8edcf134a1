#include <gtest/gtest.h>

#include "params/network_name.h"
#include "text/texts.h"

namespace vantor {
namespace {

TEST(NetworkName, EncodesFourCodesInOrder) {
    struct Case { const char* text; NetworkNameCodes codes; };
    const Case cases[] = {
        {"ab.c", {20, 23, 24, 78}},
        {"7", {14, 78, 78, 78}},
        {"ABCD.EFGH", {}},  // 9 characters: refused below
        {"ABCD.", {20, 22, 24, 27}},
        {"ABCDE+", {20, 22, 24, 26}},  // ends at the fifth character
    };
    for (const Case& c : cases) {
        NetworkNameCodes codes;
        const NetworkNameError error = encodeNetworkName(c.text, codes);
        if (std::string(c.text).size() >= 9) {
            EXPECT_EQ(error, NetworkNameError::TooLong);
            continue;
        }
        EXPECT_EQ(error, NetworkNameError::None) << c.text;
        EXPECT_EQ(codes, c.codes) << c.text;
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
    struct Case { NetworkNameError error; const char* text; };
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
