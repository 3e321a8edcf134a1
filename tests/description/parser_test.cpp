#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "description_fixture.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::dumpTree;
using test::loadText;
using test::parameterNames;
using test::RecordingUserInterface;

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

struct MessageCase {
    const char* lines;
    const char* expected;  // the English text of the first message
    MessageIcon icon;
};

// Every statement error: the message, its icon, then "Tree cannot be created"; the root
// declared before the failing line is still built.
TEST(DescriptionParser, StatementErrorsShowTheirMessageAndStopTheLoad) {
    const MessageCase cases[] = {
        {"rule Missing 1 2", "Parameter 'Missing' not defined.", MessageIcon::Warning},
        {"init Missing 5", "Parameter 'Missing' not defined.", MessageIcon::Warning},
        {"parameter @P int d\nrule @P 1 2", "Parameter '@P' not defined.", MessageIcon::Warning},
        {"branch B 1 0 0 Nothing", "Unknown symbol", MessageIcon::Error},
        {"branch B 0 0 0\nbranch C 1 0 0 B", "Unknown symbol", MessageIcon::Error},
        {"branch B NoConstant 0 0\nbranch C 1 0 0 B", "Unknown symbol", MessageIcon::Error},
        {"frobnicate the\tmodule", "Unknown function 'frobnicate the\tmodule' in descriptor", MessageIcon::Error},
        {";not a comment", "Unknown function ';not a comment' in descriptor", MessageIcon::Error},
        {"const Gain 1\nconst GAIN 2", "Constant 'GAIN' already defined", MessageIcon::Error},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        loadText(description,
                 std::string("parameter Kept int k\nroot Device 1 0 0 Kept\n") + c.lines + "\nparameter After int a");
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[0].text, c.expected);
        EXPECT_EQ(ui.messages[0].icon, c.icon);
        EXPECT_EQ(ui.messages[0].caption, Text("AFX_IDS_APP_TITLE"));
        EXPECT_EQ(ui.messages[1].text, "Tree cannot be created");
        EXPECT_EQ(ui.messages[1].text, Text("IDS_STRING174"));
        EXPECT_EQ(ui.messages[1].icon, MessageIcon::Error);
        EXPECT_EQ(dumpTree(description.rootBranch), (Lines{"Device", "  Kept"}));
        EXPECT_NE(parameterNames(description).back(), "After");
    }
}

TEST(DescriptionParser, ShortStatementsEndTheLoadWithOnlyTheFinalMessage) {
    const char* const shortLines[] = {
        "const Gain",   "parameter P int", "rule Kept 1", "init Kept",
        "branch B 1 0", "scanners S 1 0",  "root R 1 0",  "#if ver >=",
    };
    for (const char* line : shortLines) {
        SCOPED_TRACE(line);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        loadText(description, std::string("parameter Kept int k\nroot Device 1 0 0 Kept\n") + line, {2, 5});
        EXPECT_THAT(ui.texts(), ElementsAre("Tree cannot be created"));
        EXPECT_EQ(dumpTree(description.rootBranch), (Lines{"Device", "  Kept"}));
    }
}

// A description that would make more branches than any module could address stops
// like a broken statement instead of exhausting memory.
TEST(DescriptionParser, OversizedDescriptionsStopTheLoad) {
    std::string manyParameters;
    for (int i = 0; i < 400; ++i) manyParameters += "parameter x int d\n";
    const std::string oversized[] = {"branch Many 2147483647 0 0 Kept", "const Huge 1e300\nbranch Many Huge 0 0 Kept",
                                     "branch A 300 0 0 Kept\nbranch B 300 0 0 A",
                                     manyParameters + "branch Many 400 0 0 x"};
    for (const std::string& lines : oversized) {
        SCOPED_TRACE(lines);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        loadText(description, "parameter Kept int k\nroot Device 1 0 0 Kept\n" + lines);
        EXPECT_THAT(ui.texts(), ElementsAre("Tree cannot be created"));
        EXPECT_EQ(dumpTree(description.rootBranch), (Lines{"Device", "  Kept"}));
    }
}

TEST(DescriptionParser, LinesThatDoNothing) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description,
             "; a comment with words\n"
             "' another comment\n"
             " \t  \n"
             "lonelyword\n"
             "\r\n\r\n"
             "PARAMETER A int a\n"
             "Root Device 1 0 0 A\n");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(dumpTree(description.rootBranch), (Lines{"Device", "  A"}));
}

// The text ends at its first zero byte, as a C string does.
TEST(DescriptionParser, TextEndsAtItsFirstZeroByte) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    using namespace std::string_literals;
    loadText(description, "parameter A int a\nroot Device 1 0 0 A\n\0parameter B int b\nbogus line\n"s);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(parameterNames(description), Lines{"A"});
}

TEST(DescriptionParser, MissingRootIsReportedAndScannersAreStillBuilt) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    bool modelCreated = false;
    description.createDeviceModel = [&](int) { modelCreated = true; };
    loadText(description, "parameter r.oe int state\nscanners State 1 0 0 r.oe");
    EXPECT_THAT(ui.texts(), ElementsAre("Tree root is not defined"));
    EXPECT_EQ(description.rootBranch, nullptr);
    EXPECT_EQ(dumpTree(description.scannersBranch), (Lines{"State", "  r.oe"}));
    EXPECT_TRUE(modelCreated);
    EXPECT_THAT(ui.waitCursorChanges, ElementsAre(true, false));
}

struct ConditionalCase {
    FirmwareVersion version;
    const char* condition;
    Lines used;
};

TEST(DescriptionParser, ConditionalLinesChooseByFirmwareVersion) {
    const ConditionalCase cases[] = {
        {{-1, -1}, "#if ver >= 2.5", {"A", "Old", "D"}},
        {{-1, -1}, "#if ver < 1.0", {"A", "Old", "D"}},
        {{2, 5}, "#if ver >= 2.5", {"A", "New", "D"}},
        {{2, 5}, "#if ver < 2", {"A", "Old", "D"}},  // reference minor stays -1
        {{2, 5}, "#if ver > 2", {"A", "New", "D"}},
        {{2, 5}, "#if ver == 9.9", {"A", "New", "D"}},      // other operators use the lines
        {{2, 5}, "#if ver > 2.04", {"A", "New", "D"}},      // octal 4
        {{2, 5}, "#if ver < 2.010", {"A", "New", "D"}},     // octal 8
        {{2, 5}, "#if ver < 2.08", {"A", "Old", "D"}},      // "08" reads as 0
        {{2, 5}, "#if ver >= 0x2.0x6", {"A", "Old", "D"}},  // hexadecimal 2.6
        {{2, 5}, "#if ver <= 2.5.9", {"A", "New", "D"}},    // a third part is ignored
        {{3, 0}, "#if ver <= 2.x", {"A", "Old", "D"}},      // (3,0) <= (2,-1) is false
        {{-1, -1}, "#if VER >= 2.5", {"A", "New", "D"}},    // not "ver": no-op, #else skips
        {{2, 5}, "#IF ver >= 2.5", {"A", "New", "D"}},
        {{2, 5}, "#if ver < 4294967298.0", {"A", "New", "D"}},  // beyond int: the largest

    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.condition);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        loadText(description,
                 std::string("root Device 1 0 0\nparameter A int a\n") + c.condition +
                     "\nparameter New int n\n#ELSE\nparameter Old int o\n#endif\n"
                     "parameter D int d\n",
                 c.version);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(parameterNames(description), c.used);
    }
}

TEST(DescriptionParser, ConditionalsDoNotNest) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    // The inner "#if" is read while lines are skipped and ignored; its "#else" inverts
    // the single flag and its "#endif" clears it.
    loadText(description,
             "root Device 1 0 0\n"
             "#if ver < 1.0\nparameter A int a\n#if ver >= 1.0\nparameter B int b\n"
             "#else\nparameter C int c\n#endif\nparameter D int d\n#else\nparameter E int e\n#endif\n",
             {2, 0});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(parameterNames(description), (Lines{"C", "D"}));
}

TEST(DescriptionParser, ParameterStatementOptions) {
    struct Case {
        const char* line;
        const char* name;
        bool hasAttributes;
        int tableNumber, tableMode, tableArgument;
    };
    const Case cases[] = {
        {"parameter @Addr int d", "Addr", true, 0, 0, 0},    {"parameter !ver int d", "!ver", true, 0, 0, 0},
        {"parameter P int d noattr", "P", false, 0, 0, 0},   {"parameter P int d NOATTR table2 7", "P", false, 0, 0, 0},
        {"parameter P int d table2+ 7", "P", true, 2, 1, 7}, {"parameter P int d TABLE5* 3", "P", true, 5, 2, 3},
        {"parameter P int d other* 9", "P", true, 0, 2, 9},  {"parameter P int d table6 4", "P", true, 0, 0, 4},
        {"parameter P int d table2", "P", true, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        loadText(description, std::string("root R 1 0 0\n") + c.line);
        ASSERT_EQ(description.descriptionParameters.size(), 1u);
        const DescParameter& p = description.descriptionParameters[0];
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.description, "d");
        EXPECT_EQ(p.hasAttributes, c.hasAttributes);
        EXPECT_EQ(p.tableNumber, c.tableNumber);
        EXPECT_EQ(p.tableMode, c.tableMode);
        EXPECT_EQ(p.tableArgument, c.tableArgument);
    }
}

TEST(DescriptionParser, TypesResolveToTheLastDefinition) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description,
             "root R 1 0 0\n"
             "type Mode off on_line\n"
             "parameter A Mode a\n"
             "type MODE x y\n"
             "parameter B mode b\n"
             "type Empty\n"
             "parameter C empty c\n"
             "parameter D float:2 d\n");
    EXPECT_TRUE(ui.messages.empty());
    const auto& p = description.descriptionParameters;
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(p[0].typeDefinition, "off:on line");
    EXPECT_EQ(p[1].typeDefinition, "x:y");
    EXPECT_EQ(p[2].typeDefinition, "");
    EXPECT_EQ(p[3].typeDefinition, "float:2");
}

// Rule and init change the entry only: a branch that named the parameter before keeps
// the values the entry had then.
TEST(DescriptionParser, RuleAndInitReachTheTreeOnlyBeforeTheBranch) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description,
             "parameter Early int e\n"
             "parameter Late int l\n"
             "rule Early -5 12.5\n"
             "init Early factory_value\n"
             "root Device 1 0 0 Early Late\n"
             "rule Late 1 2\n"
             "init Late 7\n");
    EXPECT_TRUE(ui.messages.empty());
    const auto& built = description.rootBranch->parameters();
    EXPECT_EQ(built[0]->lowLimit, -5);
    EXPECT_EQ(built[0]->highLimit, 12.5);
    EXPECT_EQ(built[0]->configurationValue, "factory value");
    EXPECT_EQ(built[1]->lowLimit, 0);
    EXPECT_EQ(built[1]->highLimit, 0);
    EXPECT_EQ(built[1]->configurationValue, "");
    const DescParameter& late = description.descriptionParameters[1];
    EXPECT_EQ(late.lowLimit, 1);
    EXPECT_EQ(late.highLimit, 2);
    EXPECT_EQ(late.initValue, "7");
}

// Limits and constants are read as atof reads them, whatever the process locale.
TEST(DescriptionParser, RealNumbersReadLikeTheCLibrary) {
    const std::pair<const char*, double> cases[] = {
        {"12.5", 12.5},  {"-3", -3}, {"+2.5", 2.5}, {"1.5e2", 150}, {"12abc", 12}, {"0x1A", 26},
        {"-0X1p4", -16}, {"0xg", 0}, {"+-5", 0},    {"0x-5", 0},    {"abc", 0},    {".5", 0.5},
    };
    for (const auto& [token, value] : cases) {
        SCOPED_TRACE(token);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        loadText(description, std::string("root R 1 0 0\nparameter P int d\nrule P ") + token + " 1");
        ASSERT_TRUE(ui.messages.empty());
        EXPECT_EQ(description.descriptionParameters[0].lowLimit, value);
    }
}

TEST(DescriptionParser, ConstantsGiveBranchCounts) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description,
             "const Channels 3.9\n"
             "const None -2\n"
             "parameter In int i\n"
             "branch Ch channels 5 6 In\n"
             "branch Never None 0 0 In\n"
             "const Nothing nan\n"
             "branch Never Nothing 0 0 In\n"
             "root Device 1 0 0 Ch\n");
    EXPECT_TRUE(ui.messages.empty());
    const auto& channels = description.rootBranch->subBranches();
    ASSERT_EQ(channels.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(channels[i]->count(), 3);
        EXPECT_EQ(channels[i]->index(), i + 1);
        EXPECT_EQ(channels[i]->image(), 5);
        EXPECT_EQ(channels[i]->selectedImage(), 6);
    }
    EXPECT_TRUE(description.descriptionConstants.empty());  // discarded after the build
}

}  // namespace
}  // namespace vantor
