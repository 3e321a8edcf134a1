#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "description_fixture.h"

namespace vantor {
namespace {

using test::loadText;
using test::RecordingUserInterface;

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

// A device link stand-in: fails the parameters named in `failing`, can raise the
// cancel event after a number of exchanges, and records what it was asked.
class FakeExchange : public ParameterExchange {
public:
    bool cancelled() const override { return cancel_; }
    int readParameter(Parameter& p) override { return exchange("read " + p.name, p); }
    int writeParameter(Parameter& p, int mode) override {
        return exchange("write " + p.name + " " + std::to_string(mode), p);
    }
    int compareParameter(Parameter& p) override { return exchange("compare " + p.name, p); }
    void progressStep() override { ++steps; }
    void progressLog(const std::string& line) override { calls.push_back("log " + line); }

    void cancelNow() { cancel_ = true; }
    std::set<std::string> failing;
    int cancelAfter = -1;  // exchanges before the cancel event is raised
    Lines calls;
    int steps = 0;

private:
    int exchange(const std::string& call, const Parameter& p) {
        calls.push_back(call);
        if (cancelAfter > 0 && --cancelAfter == 0) cancel_ = true;
        return failing.count(p.name) ? 1 : 0;
    }
    bool cancel_ = false;
};

constexpr const char* kTree =
    "parameter A int a\nparameter B int b\nparameter !C int c\nparameter D int d\n"
    "branch Sub# 2 0 0 B !C\nroot Device 1 0 0 A Sub# D\n";

struct LoadedTree {
    RecordingUserInterface ui;
    TreeDescription description{ui};
    LoadedTree(const char* text = kTree) { loadText(description, text); }
    DescBranch& root() { return *description.rootBranch; }
};

TEST(BranchOperations, ReadWalksTheTreeAndAddsTheCounts) {
    LoadedTree tree;
    FakeExchange link;
    link.failing = {"B", "D"};
    EXPECT_EQ(tree.root().ReadValues(link), (ExchangeCounts{6, 3}));
    EXPECT_EQ(link.calls, (Lines{"log Reading branch 'Device'", "read A", "read D", "log Reading branch 'Sub 1'",
                                 "read B", "read C", "log Reading branch 'Sub 2'", "read B", "read C"}));
}

TEST(BranchOperations, WriteTakesPartByMode) {
    LoadedTree tree;
    tree.root().subBranches()[1]->parameters()[0]->valueChanged = 1;  // B of Sub 2
    tree.root().parameters()[1]->configurationValue = "5";            // D
    struct Case {
        int mode;
        ExchangeCounts counts;
        Lines calls;
    };
    const Case cases[] = {
        {1,
         {4, 0},
         {"log Writing branch 'Device'", "write A 1", "write D 1", "log Writing branch 'Sub 1'", "write B 1",
          "log Writing branch 'Sub 2'", "write B 1"}},
        {0, {1, 0}, {"log Writing branch 'Sub 2'", "write B 0"}},
        {-1, {1, 0}, {"log Writing branch 'Device'", "write D -1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        FakeExchange link;
        EXPECT_EQ(tree.root().WriteValues(link, c.mode), c.counts);
        EXPECT_EQ(link.calls, c.calls);
    }
}

TEST(BranchOperations, CancelStopsBetweenParameters) {
    LoadedTree tree;
    {
        FakeExchange link;
        link.cancelNow();
        EXPECT_EQ(tree.root().WriteValues(link, 1), (ExchangeCounts{0, 0}));
        EXPECT_EQ(tree.root().CompareValues(link), (ExchangeCounts{0, 0}));
        EXPECT_TRUE(link.calls.empty());
    }
    {
        // Cancelled during the third comparison: the parameter at which the walk stops
        // is not counted as handled, its difference is.
        FakeExchange link;
        link.failing = {"B"};
        link.cancelAfter = 3;
        EXPECT_EQ(tree.root().CompareValues(link), (ExchangeCounts{2, 1}));
        EXPECT_EQ(link.calls, (Lines{"log Compare branch 'Device'", "compare A", "compare D",
                                     "log Compare branch 'Sub 1'", "compare B"}));
        EXPECT_EQ(link.steps, 3);
    }
}

TEST(BranchOperations, ResetValuesReachesEveryBranch) {
    LoadedTree tree;
    Parameter& b = *tree.root().subBranches()[1]->parameters()[0];
    b.valueText = "12";
    b.errorText = "no answer";
    b.editable = 0;
    b.manufacturerOwned = 1;
    b.ownerChanged = 1;
    EXPECT_EQ(tree.root().subBranches()[1]->HasChanges(), 2);
    tree.root().ResetValues();
    EXPECT_EQ(b.valueText, "no data");
    EXPECT_EQ(b.errorText, "");
    EXPECT_EQ(b.editable, 1);
    EXPECT_EQ(b.manufacturerOwned, 0);
    EXPECT_EQ(tree.root().subBranches()[1]->HasChanges(), 0);
}

TEST(ElementBase, ParameterTextsByName) {
    LoadedTree tree("parameter Addr int a\nparameter Name int n\nroot Device 1 0 0 Addr Name\n");
    DescBranch& root = tree.root();
    EXPECT_EQ(root.GetParameterText("addr"), "no data");
    EXPECT_EQ(root.GetParameterText("missing"), "no data");
    EXPECT_EQ(root.SetParameterText("missing", "1"), 0);

    EXPECT_EQ(root.SetParameterText("ADDR", "NO DATA"), 1);
    EXPECT_EQ(root.GetParameterText("Addr"), "NO DATA");
    EXPECT_EQ(root.FindParameter("addr")->valueChanged, 0);
    EXPECT_EQ(root.SetParameterText("addr", "16"), 1);
    EXPECT_EQ(root.FindParameter("addr")->valueChanged, 1);

    EXPECT_EQ(root.SetParameterText("Name", "Boiler room"), 3);
    EXPECT_EQ(root.name(), "Boiler room");
    EXPECT_EQ(root.GetParameterText("Name"), "no data");
    EXPECT_EQ(root.GetTitle(), "Boiler room (Невизуальный элемент)");
}

TEST(ElementBase, ElementNumberReportsAStrayIndex) {
    LoadedTree tree(
        "parameter P int Pressure\nparameter Q int q\nparameter R int r\nbranch Ch# 2 0 0 P Q R\n"
        "root Device 1 0 0 Ch#\n");
    DescBranch& second = *tree.root().subBranches()[1];
    second.parameters()[2]->dataIndex = 5;
    second.parameters()[0]->dataIndex = 4;
    second.parameters()[1]->dataIndex = 4;
    EXPECT_EQ(second.GetElementNumber(tree.ui), 4);
    EXPECT_TRUE(tree.ui.messages.empty());  // the first indexed parameter fixes it
    EXPECT_EQ(second.GetElementNumber(tree.ui), 4);
    ASSERT_EQ(tree.ui.messages.size(), 1u);
    EXPECT_EQ(tree.ui.messages[0].text, "Parameter 'R' (r) has invalid index");
    EXPECT_EQ(tree.ui.messages[0].icon, MessageIcon::Warning);

    second.SetElementNumber(9);
    EXPECT_EQ(second.parameters()[2]->dataIndex, 9);
    EXPECT_EQ(second.GetElementNumber(tree.ui), 9);
}

// Records the rows as "parent>text|value|image" lines.
class RecordingSink : public RowSink {
public:
    RowId addRow(RowId parent, const RowEntry& row) override {
        const RowId id = static_cast<RowId>(rows.size());
        rows.push_back(std::to_string(parent) + ">" + row.text + "|" + row.value + "|" + std::to_string(row.image));
        entries.push_back(row);
        return id;
    }
    Lines rows;
    std::vector<RowEntry> entries;
};

TEST(BranchRows, InsertIntoViewGivesTheRowStructure) {
    LoadedTree tree(
        "type Mode off:on\n"
        "parameter Lvl float Level\nparameter Md Mode Mode\nparameter !CodP int c\nparameter r.cn int r\n"
        "parameter Stat int s\nparameter !X int x\n"
        "branch Code 1 0 0 !CodP\nbranch Inputs 1 0 0 r.cn\nbranch Status 1 0 0 Stat\n"
        "branch Actuator_control_block+8 1 7 8 !X\nbranch Group 1 2 3 Md Lvl\n"
        "root Device 1 1 1 Lvl Code Inputs Status Actuator_control_block+8 Group\n");
    ASSERT_TRUE(tree.ui.messages.empty());
    tree.root().subBranches()[0]->parameters()[0]->valueText = "165";
    RecordingSink sink;
    const ViewInsertion view{sink, true,
                             [](int row) { return row < 2 ? "bit " + std::to_string(row) : std::string(); }};
    EXPECT_EQ(tree.root().InsertIntoView(view, kTopRow), 0);
    EXPECT_EQ(sink.rows, (Lines{
                             "-1>Device||1",
                             "0>Level|no data|28",
                             "0>Code|165|30",
                             "2>threshold|10 kohm|38",
                             "2>Input 'Default settings'|0|38",
                             "2>Input 'Network control'|yes|38",
                             "2>Input 'Time-out mode'|safe output status|38",
                             "2>Input 'Operation mode'|test|38",
                             "0>Inputs|no data|28",
                             "8>input 1||38",
                             "8>input 2||38",
                             "8>input 3||38",
                             "8>input 4||38",
                             "0>Status|no data|28",
                             "13>bit 0||38",
                             "13>bit 1||38",
                             "0>Actuator control block|no data|30",
                             "0>Group||2",
                             "17>Mode|no data|27",
                             "17>Level|no data|28",
                         }));
    EXPECT_EQ(tree.root().shownCount(), 5);
    EXPECT_EQ(sink.entries[0].element, &tree.root());
    EXPECT_EQ(sink.entries[2].kind, RowKind::Parameter);
    EXPECT_EQ(sink.entries[3].kind, RowKind::Decoding);
    EXPECT_EQ(sink.entries[3].parameter, tree.root().subBranches()[0]->parameters()[0].get());
    EXPECT_EQ(sink.entries[17].selectedImage, 3);
}

TEST(ElementRows, InsertRowsShowsTheElementAndItsFirstParameters) {
    InvisibleElement element;
    for (const char* name : {"bPS", "LEn", "PrtY"}) element.appendParameter(std::make_unique<Parameter>(name));
    element.setName("Program network settings");
    struct Case {
        int count;
        int shown;
    };
    for (const Case c : {Case{-1, 3}, Case{2, 2}, Case{0, 0}}) {
        RecordingSink sink;
        EXPECT_EQ(element.InsertRows(sink, kTopRow, c.count, false), 0);
        EXPECT_EQ(element.shownCount(), c.shown);
        ASSERT_EQ(sink.rows.size(), static_cast<std::size_t>(c.shown) + 1);
        EXPECT_EQ(sink.rows[0], "-1>Program network settings||0");
        EXPECT_EQ(sink.entries[0].element, &element);
    }
}

TEST(ElementBase, ErrorsAndDiscrepancies) {
    InvisibleElement element;
    element.appendParameter(std::make_unique<Parameter>("A"));
    EXPECT_FALSE(element.HasErrors(true));
    element.parameters()[0]->errorText = "Device value 5";
    EXPECT_FALSE(element.HasErrors(false));
    EXPECT_TRUE(element.HasErrors(true));
    element.parameters()[0]->errorText = "Time-out";
    EXPECT_TRUE(element.HasErrors(false));
}

TEST(BranchRows, ActuatorBlocksAboveEightHaveATypeRow) {
    LoadedTree tree(
        "parameter !X int x\nparameter Y int y\nbranch Actuator_control_block+8 1 7 8 !X Y\n"
        "root Device 1 1 1 Actuator_control_block+8\n");
    RecordingSink sink;
    tree.root().InsertIntoView(ViewInsertion{sink}, kTopRow);
    EXPECT_EQ(sink.rows, (Lines{"-1>Device||1", "0>Actuator control block||7",
                                "1>Type of actuator|2-position actuator|30", "1>x|no data|30", "1>y|no data|28"}));
    EXPECT_EQ(sink.entries[2].kind, RowKind::ActuatorType);
}

}  // namespace
}  // namespace vantor
