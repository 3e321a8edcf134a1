// The tables compiled into the program: fallbacks, prompts and a sample of the texts
// other layers rely on, plus the line format of the keyed table itself.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "text/texts.h"

namespace vantor {
namespace {

std::string readSourceFile(const std::string& relativePath) {
    std::ifstream in(std::string(VANTOR_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedTables, ApplicationTitleComesFromTheStringTable) {
    EXPECT_EQ(TextByKey("AFX_IDS_APP_TITLE"), "???");  // no such key in the keyed table
    EXPECT_EQ(TextByKeyOrId("AFX_IDS_APP_TITLE", 57344), "Vantor");
    EXPECT_EQ(Text("AFX_IDS_APP_TITLE"), "Vantor");
}

TEST(ShippedTables, LastLineHasNoLineEndAndFallsBackToTheStringTable) {
    EXPECT_EQ(TextByKey("IDS_STRING974"), "???");
    EXPECT_EQ(Text("IDS_STRING974"), "\r\nFound and choosed devices don't match.\r\n\r\nRestart program.");
}

TEST(ShippedTables, CommandPromptsSplitIntoStatusPromptAndTooltip) {
    // The toolbar tooltips the main frame shows, by command id.
    const std::vector<std::pair<int, std::string>> tooltips = {
        {57600, "New"},
        {57601, "Open"},
        {57603, "Save"},
        {139, "Read configuration from device"},
        {140, "Save configuration to device"},
        {256, "Save changes"},
        {279, "Read selected branch"},
        {280, "Save selected branch"},
        {281, "Save changes of selected branch"},
        {269, "Apply default settings"},
        {301, "Send INIT"},
        {32821, "I/O status"},
        {276, "Previous troubled parameter"},
        {277, "Next troubled parameter"},
        {57664, "About program"},
    };
    for (const auto& [id, tooltip] : tooltips) {
        std::string whole, prompt, tip;
        ASSERT_TRUE(TextById(id, 0, whole)) << id;
        ASSERT_TRUE(TextById(id, 1, prompt)) << id;
        ASSERT_TRUE(TextById(id, 2, tip)) << id;
        EXPECT_EQ(tip, tooltip) << id;
        // The prompt keeps the CR that stood before the line feed, after a text.
        ASSERT_GT(prompt.size(), 1u) << id;
        EXPECT_EQ(prompt.back(), '\r') << id;
        EXPECT_EQ(whole, prompt + "\n" + tip) << id;
    }
    EXPECT_EQ(Text("ID_STATE_INOUT1").substr(Text("ID_STATE_INOUT1").rfind('\n') + 1), "Input status");
    EXPECT_EQ(Text("ID_STATE_INOUT2").substr(Text("ID_STATE_INOUT2").rfind('\n') + 1), "Output status");

    // Menu entries are named by their template position; commands without a symbol
    // are not found, so the frame takes the string-table prompt instead.
    std::string menu;
    ASSERT_TRUE(TextById(918, 0, menu));
    EXPECT_EQ(menu, "&Read configuration from device\tAlt+R");
    std::string unnamed = "untouched";
    EXPECT_FALSE(TextById(32804, 1, unnamed));
    EXPECT_EQ(unnamed, "untouched");
    const std::string framePrompt = TextByKeyOrId("", 32804);
    EXPECT_EQ(framePrompt.substr(framePrompt.rfind('\n') + 1), "Export parameter list to HTML");
}

TEST(ShippedTables, QuotedMessagesReadAsQuoted) {
    const std::vector<std::pair<std::string, std::string>> messages = {
        {"IDS_NOCARRIER", "Time-out error"},
        {"IDS_STRING255", "Error value not found (Code % i)"},
        {"IDS_STRING614",
         "Networking function is not found, but descriptor is founded. In normal mode this error  should not occur."},
        {"IDS_STRING486", "Invalid response length: %i"},
        {"IDS_STRING490", "Not allowed symbol in network name"},
        {"IDS_STRING506", "Unknown function '%s' in descriptor"},
        {"IDS_STRING154", "(only the first 10 are shown)"},
        {"IDS_STRING176",
         "%i unsuccessful attempts of reading\r\nPlease, check the connection between the device %s and the PC\r\n"
         "Following steps have been done:\r\n"},
        {"IDS_STRING178", "\" -  Data exchange is suspended\"\"\""},
        {"IDS_STRING572", "Channel \u2116%i"},
        {"IDS_NAME_DEVICE15", "KQ-15"},
        {"IDS_NETWORK_PARAMETERS", "Network_parameters"},
        {"IDR_MAINFRAME_MENUITEM_NEW", "&New\tCtrl+N"},
        {"IDR_MENU_PARAMETER_ID_PARAMETER_NODATA", "Set to  '&no data'"},
    };
    for (const auto& [key, text] : messages) EXPECT_EQ(Text(key), text) << key;

    const std::vector<std::pair<std::string, std::string>> dialogTexts = {
        {"IDD_SETUP_CARRIER_CAPTION", "Connection to device"},
        {"IDC_CHECK_BROADCASTIDD_DIALOG_APLY_", "Run APLY as a broadcast command"},
        {"IDD_DIALOG_APLY_IDC_STATIC_TEXT", "Parameters can be found in tree No.26\n'Network Master'"},
        {"IDD_WAIT_CAPTION", "Device <=> Application"},
    };
    for (const auto& [key, text] : dialogTexts) EXPECT_EQ(TextByKey(key), text) << key;
}

// Every line is key TAB text TAB CR LF, except the last one (IDS_STRING974), which has
// no line end; keys are unique and every IDS_ key has a numeric id in the name table.
TEST(ShippedTables, KeyedTableLinesAreWellFormed) {
    const std::string table = readSourceFile("resources/messages_en.txt");
    ASSERT_FALSE(table.empty());
    const std::string lastLine = table.substr(table.rfind("\r\n") + 2);
    EXPECT_EQ(lastLine.rfind("IDS_STRING974\t", 0), 0u) << lastLine;
    EXPECT_EQ(lastLine.find_first_of("\r\n"), std::string::npos);

    std::set<std::string> keys;
    std::istringstream lines(table.substr(0, table.size() - lastLine.size()));
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        ASSERT_GE(line.size(), 4u) << "line " << number;
        EXPECT_EQ(line.substr(line.size() - 2), "\t\r") << "line " << number;
        const std::string body = line.substr(0, line.size() - 2);
        const std::size_t tab = body.find('\t');
        ASSERT_NE(tab, std::string::npos) << "line " << number;
        ASSERT_GT(tab, 0u) << "line " << number;
        EXPECT_EQ(body.find_first_of("\t\r", tab + 1), std::string::npos) << "line " << number;
        EXPECT_GT(body.size(), tab + 1) << "empty text, line " << number;
        const std::string key = body.substr(0, tab);
        EXPECT_TRUE(keys.insert(key).second) << "duplicate key " << key;
        if (key.rfind("IDS_", 0) == 0) {
            EXPECT_NE(texts().idOfName(key), -1) << key;
        }
    }
    EXPECT_EQ(keys.count("IDS_STRING974"), 0u);
}

TEST(ShippedTables, NameTableGivesEveryIdOneName) {
    std::istringstream lines(readSourceFile("resources/names.txt"));
    std::set<std::string> ids, names;
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t tabs = line.find("\t\t");
        ASSERT_NE(tabs, std::string::npos) << line;
        EXPECT_TRUE(names.insert(line.substr(0, tabs)).second) << line;
        EXPECT_TRUE(ids.insert(line.substr(tabs + 2)).second) << "id used twice: " << line;
    }
}

}  // namespace
}  // namespace vantor
