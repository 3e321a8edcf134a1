#include <gtest/gtest.h>

#include "text/texts.h"

namespace vantor {
namespace {

// A small table that shows each lookup rule; the last line has no line end.
constexpr std::string_view kMessages =
    "IDS_A\t  Line one\\nline two  \t\r\n"
    "\t\tIDS_ESC\tcol\\tumn\\rret\t\r\n"
    "IDS_PROMPT\tPrompt text\\nTip\t\r\n"
    "IDS_BARE\tNo break\t\r\n"
    "IDS_LEAD\t\\nOnly tip\t\r\n"
    "IDS_DUP\tfirst\t\r\n"
    "IDS_DUP\tsecond\t\r\n"
    "LONE\r\n"
    "IDS_LAST\tnot taken";
constexpr std::string_view kNames =
    "IDS_PROMPT\t\t32771\r\n"
    "IDS_BARE\t\t 32772 \r\n"
    "IDS_LEAD\t\t32773\r\n"
    "IDS_LAST\t\t974\r\n"
    "IDS_MISSING\t\t975\r\n";
constexpr std::string_view kStrings = "974\tFrom the string table\r\n57344\tVantor\r\n";

class TextTablesTest : public ::testing::Test {
protected:
    void SetUp() override { tables.load(kMessages, kNames, kStrings); }
    TextTables tables;
};

TEST_F(TextTablesTest, KeyLookupTrimsAndTurnsEscapesIntoCharacters) {
    EXPECT_EQ(tables.textByKey("IDS_A"), "Line one\nline two");
    EXPECT_EQ(tables.textByKeyOrId("IDS_A", 0), "Line one\r\nline two");
    EXPECT_EQ(tables.textByKey("IDS_ESC"), "col\tumn\rret");
    EXPECT_EQ(tables.textByKey("IDS_DUP"), "second");
    EXPECT_EQ(tables.textByKey("LONE"), "");
}

TEST_F(TextTablesTest, MissingKeysFallBack) {
    EXPECT_EQ(tables.textByKey("ids_a"), "???");  // keys keep their letter case
    EXPECT_EQ(tables.textByKey("IDS_LAST"), "???");
    EXPECT_EQ(tables.textByKeyOrId("IDS_LAST", 974), "From the string table");
    EXPECT_EQ(tables.textByKeyOrId("AFX_IDS_APP_TITLE", 57344), "Vantor");
    EXPECT_EQ(tables.textByKeyOrId("IDS_NOWHERE", 12345), "");
}

TEST_F(TextTablesTest, TextByIdSplitsPromptAndTooltip) {
    struct Case {
        int id;
        int part;
        const char* expected;
    };
    const Case cases[] = {
        {32771, 0, "Prompt text\r\nTip"},
        {32771, 1, "Prompt text\r"},
        {32771, 2, "Tip"},
        {32772, 0, "No break"},
        {32772, 1, ""},
        {32772, 2, ""},
        {32773, 1, "\r"} /* the CR before the LF stays */,
        {32773, 2, "Only tip"},
        {974, 0, "From the string table"},
    };
    for (const Case& c : cases) {
        std::string text = "untouched";
        ASSERT_TRUE(tables.textById(c.id, c.part, text)) << c.id;
        EXPECT_EQ(text, c.expected) << c.id << " part " << c.part;
    }
    std::string text = "untouched";
    EXPECT_FALSE(tables.textById(99999, 0, text));
    EXPECT_EQ(text, "untouched");
    EXPECT_TRUE(tables.textById(975, 0, text));  // named, but in neither table
    EXPECT_EQ(text, "");
}

TEST_F(TextTablesTest, NamesMapToIds) {
    EXPECT_EQ(tables.idOfName("IDS_BARE"), 32772);
    EXPECT_EQ(tables.idOfName("IDS_NONE"), -1);
}

TEST(FormatText, FillsOneArgument) {
    EXPECT_EQ(FormatText("Error value not found (Code % i)", 9), "Error value not found (Code  9)");
    EXPECT_EQ(FormatText("Cannot open serial port %s.", std::string("COM1")), "Cannot open serial port COM1.");
}

}  // namespace
}  // namespace vantor
