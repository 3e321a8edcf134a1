#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "description_fixture.h"

namespace vantor {
namespace {

using test::dumpTree;
using test::loadText;
using test::parameterNames;
using test::RecordingUserInterface;

using Lines = std::vector<std::string>;

Lines builtRoot(const std::string& text) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description, text);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    return dumpTree(description.rootBranch);
}

struct NumberingCase {
    const char* name;
    const char* description;
    Lines tree;
};

TEST(DescriptionBuild, Numbering) {
    const NumberingCase cases[] = {
        {"repeated branch with #",
         "parameter In int i\nbranch Input# 4 0 0 In\nroot Device 1 0 0 Input#",
         {"Device", "  Input 1", "    In:0", "  Input 2", "    In:1", "  Input 3", "    In:2", "  Input 4",
          "    In:3"}},
        {"repeated branch without #",
         "parameter In int i\nparameter M int m\nbranch Input 2 0 0 In M\n"
         "root Device 1 0 0 Input",
         {"Device", "  Input 1", "    In:0", "    M:0", "  Input 2", "    In:1", "    M:1"}},
        {"# inside the name",
         "parameter In int i\nparameter M int m\nbranch Ch_#_in 2 0 0 In M\n"
         "root Device 1 0 0 Ch_#_in",
         {"Device", "  Ch  1 in", "    In:0", "    M:0", "  Ch  2 in", "    In:1", "    M:1"}},
        {"additional output status numbered from 9",
         "parameter S int s\nparameter T int t\nbranch Status_of_additional_output 2 0 0 S T\n"
         "root Device 1 0 0 Status_of_additional_output",
         {"Device", "  Status of additional output 9", "    S:0", "    T:0", "  Status of additional output 10",
          "    S:1", "    T:1"}},
        {"+d shifts index and numbers",
         "parameter O int o\nparameter P int p\nbranch Out+2 2 0 0 O P\n"
         "root Device 1 0 0 Out+2",
         {"Device", "  Out 3", "    O:2", "    P:2", "  Out 4", "    O:3", "    P:3"}},
        {"K20+d shifts the numbers only",
         "parameter O int o\nparameter P int p\nbranch K20+2 2 0 0 O P\n"
         "root Device 1 0 0 K20+2",
         {"Device", "  K20 1", "    O:2", "    P:2", "  K20 2", "    O:3", "    P:3"}},
        {"*d spreads the numbers",
         "parameter O int o\nparameter P int p\nbranch Grp*4 2 0 0 O P\n"
         "root Device 1 0 0 Grp*4",
         {"Device", "  Grp 1", "    O:0", "    P:0", "  Grp 2", "    O:4", "    P:4"}},
        {"nested repeated branches",
         "parameter Own int o\nparameter Sub int s\nparameter X int x\n"
         "branch Pair# 2 0 0 Sub X\nbranch Ch# 3 0 0 Own Pair#\nroot Device 1 0 0 Ch#",
         {"Device",      "  Ch 1",      "    Own:0",   "    Pair 1", "      Sub:0", "      X:0",   "    Pair 2",
          "      Sub:1", "      X:1",   "  Ch 2",      "    Own:2",  "    Pair 1",  "      Sub:2", "      X:2",
          "    Pair 2",  "      Sub:3", "      X:3",   "  Ch 3",     "    Own:4",   "    Pair 1",  "      Sub:4",
          "      X:4",   "    Pair 2",  "      Sub:5", "      X:5"}},
        {"single branches: indexed only under a repeated parent",
         "parameter A int a\nparameter B int b\nparameter C int c\nparameter D int d\n"
         "branch Inner 1 0 0 A B\nbranch Outer 1 0 0 Inner\nbranch Rep# 2 0 0 Inner\n"
         "root Device 1 0 0 C Outer Rep# D",
         {"Device", "  C", "  Outer", "    Inner", "      A", "      B", "  Rep 1", "    Inner", "      A:0",
          "      B:0", "  Rep 2", "    Inner", "      A:1", "      B:1", "  D"}},
        {"a statement naming its own earlier instances",
         "parameter P int p\nbranch X 1 0 0 P\nbranch X 2 0 0 X\nroot Device 1 0 0 X",
         {"Device", "  X", "    P", "  X 1", "    X", "      P:0", "  X 2", "    X", "      P:1", "    X 1", "      X",
          "        P:2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(builtRoot(c.description), c.tree);
    }
}

// Eleven nested "*9" branches number beyond 32 bits: the index wraps as a 32-bit
// number does (9^11 mod 2^32) instead of overflowing.
TEST(DescriptionBuild, DeepSpreadNumberingWraps) {
    std::string text = "parameter P int p\nbranch N1*9 1 0 0 P\n";
    for (int level = 2; level <= 11; ++level)
        text += "branch N" + std::to_string(level) + "*9 1 0 0 N" + std::to_string(level - 1) + "*9\n";
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description, text + "branch Top 2 0 0 N11*9\nroot Device 1 0 0 Top\n");
    ASSERT_TRUE(ui.messages.empty());
    const DescBranch* branch = description.rootBranch->subBranches()[1].get();
    while (!branch->subBranches().empty()) branch = branch->subBranches()[0].get();
    EXPECT_EQ(branch->parameters()[0]->dataIndex, 1316288537);
}

TEST(DescriptionBuild, ParametersTakeTheirDescriptionFields) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description,
             "parameter !ver string Firmware_version noattr\n"
             "parameter Gain float:2 Gain_factor table3* 4\n"
             "parameter Zero float:4 z\nparameter Word word:2 w\nparameter Fix STORED_DOT:3:x f\n"
             "parameter Cnt int:1 c\nparameter Plain float p\n"
             "rule Gain 0.5 20\ninit Gain 1.25\n"
             "root Device 1 0 0 !ver Gain Zero Word Fix Cnt Plain\n");
    ASSERT_TRUE(ui.messages.empty());
    const auto& p = description.rootBranch->parameters();
    ASSERT_EQ(p.size(), 7u);
    EXPECT_EQ(p[0]->name, "ver");
    EXPECT_EQ(p[0]->userEditable, 0);
    EXPECT_EQ(p[0]->hasAttributes, 0);
    EXPECT_EQ(p[0]->description, "Firmware version");
    EXPECT_EQ(p[1]->userEditable, 1);
    EXPECT_EQ(p[1]->hasAttributes, 1);
    EXPECT_EQ(p[1]->tableMode, 2);
    EXPECT_EQ(p[1]->lowLimit, 0.5);
    EXPECT_EQ(p[1]->highLimit, 20);
    EXPECT_EQ(p[1]->configurationValue, "1.25");
    const std::pair<std::string, int> types[] = {{"float", 2},      {"float:4", 0}, {"word:2", 0},
                                                 {"STORED_DOT", 3}, {"int", 1},     {"float", 0}};
    for (std::size_t i = 0; i < std::size(types); ++i) {
        EXPECT_EQ(p[i + 1]->type, types[i].first) << i;
        EXPECT_EQ(p[i + 1]->decimalPlaces, types[i].second) << i;
    }
}

TEST(DescriptionBuild, SingleParameterBranchNamesItsParameter) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description,
             "parameter Addr int Address\nparameter Two int t\n"
             "branch Module_address 1 0 0 Addr\nbranch Pair 1 0 0 Addr Two\n"
             "root Device 1 0 0 Module_address Pair\n");
    const auto& subs = description.rootBranch->subBranches();
    ASSERT_EQ(subs.size(), 2u);
    EXPECT_TRUE(subs[0]->IsSingleParameterBranch());
    EXPECT_EQ(subs[0]->parameters()[0]->description, "Module address");
    EXPECT_TRUE(std::holds_alternative<Parameter*>(subs[0]->SingleParameterOrSelf()));
    EXPECT_FALSE(subs[1]->IsSingleParameterBranch());
    EXPECT_EQ(std::get<DescBranch*>(subs[1]->SingleParameterOrSelf()), subs[1].get());
    EXPECT_EQ(subs[1]->parameters()[0]->description, "Address");
}

constexpr const char* kScanned =
    "parameter r.oe int Output_state\nparameter Log int l\n"
    "branch Ch# 3 0 0 r.oe\nbranch Status 1 0 0 Log\nroot Device 1 0 0\n"
    "scanners State 1 0 0 Ch# Status\n";

TEST(DescriptionBuild, ScannersAreAddressedByOffset) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description, kScanned);
    ASSERT_TRUE(ui.messages.empty());
    std::vector<std::pair<int, int>> offsets;  // (address offset, indexed)
    for (const auto& ch : description.scannersBranch->subBranches()) {
        const Parameter& p = *ch->parameters()[0];
        EXPECT_TRUE(p.SamplingPrepared());
        EXPECT_EQ(p.samplingPeriod, 1000);
        offsets.emplace_back(p.addressOffset, p.indexed);
    }
    EXPECT_EQ(offsets, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {0, 0}}));
}

TEST(DescriptionBuild, FindParametersCollectsOrSearches) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description, kScanned);
    DescBranch& state = *description.scannersBranch;

    std::map<int, Parameter*> map;
    int largest = 0, step = 0;
    EXPECT_EQ(state.FindParameters("R.OE", &map, &largest, &step, 0), nullptr);
    EXPECT_EQ(map.size(), 3u);
    EXPECT_EQ(largest, 2);
    EXPECT_EQ(step, 1);
    EXPECT_EQ(map[1], state.subBranches()[1]->parameters()[0].get());

    EXPECT_EQ(state.FindParameters("r.oe", nullptr, nullptr, nullptr, 2),
              state.subBranches()[2]->parameters()[0].get());
    EXPECT_EQ(state.FindParameters("r.oe", nullptr, nullptr, nullptr, 7), nullptr);
    EXPECT_EQ(state.FindParameters("Log", nullptr, nullptr, nullptr, 0), state.subBranches()[3]->parameters()[0].get());
}

bool within(const DescBranch* tree, const DescBranch* wanted) {
    if (tree == wanted) return true;
    for (const auto& sub : tree->subBranches())
        if (within(sub.get(), wanted)) return true;
    return false;
}

TEST(DescriptionBuild, NetworkBranchIsAlwaysOneThatIsKept) {
    const char* const net = "parameter Addr int a\nparameter bPS int b\nbranch Network_parameters 1 4 4 Addr bPS\n";
    struct Case {
        const char* name;
        std::string description;
        bool expectBranch;
    };
    const Case cases[] = {
        {"member of the root", std::string(net) + "root Device 1 0 0 Network_parameters", true},
        {"inside an enclosing branch",
         std::string(net) + "branch Settings 1 0 0 Network_parameters\nroot Device 1 0 0 Settings", true},
        {"copied twice, the last copy unused",
         std::string(net) + "branch Settings 1 0 0 Network_parameters\nroot Device 1 0 0 Settings\n"
                            "branch Spare 1 0 0 Network_parameters",
         true},
        {"never used", std::string(net) + "root Device 1 0 0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        loadText(description, c.description);
        ASSERT_TRUE(ui.messages.empty());
        if (!c.expectBranch) {
            EXPECT_EQ(description.networkBranch, nullptr);
            continue;
        }
        ASSERT_NE(description.networkBranch, nullptr);
        EXPECT_TRUE(within(description.rootBranch, description.networkBranch));
        EXPECT_EQ(description.networkBranch->name(), "Network parameters");
        EXPECT_EQ(description.networkBranch->GetParameterText("addr"), "no data");
        EXPECT_NE(description.networkBranch->FindParameter("BPS"), nullptr);
    }
}

TEST(DescriptionBuild, CleanUpKeepsTheTreesAndTheParameterEntries) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description, std::string("const N 2\ntype T a b\n") + kScanned);
    EXPECT_TRUE(description.descriptionConstants.empty());
    EXPECT_TRUE(description.descriptionTypes.empty());
    EXPECT_TRUE(description.descriptionBranches.empty());
    EXPECT_EQ(parameterNames(description), (Lines{"r.oe", "Log"}));
    EXPECT_EQ(dumpTree(description.rootBranch), Lines{"Device"});
    EXPECT_EQ(description.scannersBranch->subBranches().size(), 4u);
}

TEST(DescriptionBuild, DeepCopiesAreIndependent) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    loadText(description,
             "parameter A int a\nbranch Inner 1 0 0 A\nbranch Outer 2 0 0 Inner A\n"
             "root Device 1 0 0 Outer\n");
    const auto& outers = description.rootBranch->subBranches();
    ASSERT_EQ(outers.size(), 2u);
    EXPECT_THAT(outers[0]->memberOrder(), ::testing::ElementsAre(true, false));
    EXPECT_NE(outers[0]->subBranches()[0].get(), outers[1]->subBranches()[0].get());
    EXPECT_NE(outers[0]->subBranches()[0]->parameters()[0].get(), outers[1]->subBranches()[0]->parameters()[0].get());
}

}  // namespace
}  // namespace vantor
