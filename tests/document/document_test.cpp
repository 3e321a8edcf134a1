#include <gtest/gtest.h>

#include "protocol/name_hash.h"
#include "support/document_bench.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::DocumentBench;

int parameterCount(const DescBranch& branch) {
    int count = 0;
    DocumentBench::visit(branch, [&](Parameter&) { ++count; });
    return count;
}

TEST(Document, TreeOperationsRunThroughTheWaitDialogWithTheirProgressRange) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    DescBranch& root = *bench.doc.rootBranch();

    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    EXPECT_EQ(bench.named("Addr").valueText, "16");
    EXPECT_EQ(bench.named("dev").valueText, "kq-15");
    EXPECT_EQ(bench.frontEnd.progressRanges.back(), parameterCount(root));
    EXPECT_EQ(bench.frontEnd.viewUpdates, 1);
    // The wait cursor around the dialog (the description load showed it before).
    ASSERT_GE(bench.ui.waitCursorChanges.size(), 2u);
    EXPECT_EQ(std::vector<bool>(bench.ui.waitCursorChanges.end() - 2, bench.ui.waitCursorChanges.end()),
              (std::vector<bool>{true, false}));

    // Nothing changed: no task runs and nothing is sent.
    bench.recorder.sent.clear();
    ASSERT_TRUE(bench.doc.WriteChanges(TreeScope::WholeTree));
    EXPECT_EQ(bench.frontEnd.waitDialogs.size(), 1u);
    EXPECT_TRUE(bench.recorder.sent.empty());

    // One edit: exactly that parameter goes to the module.
    ASSERT_TRUE(bench.named("Rs.dL").SetValue("25"));
    ASSERT_TRUE(bench.doc.WriteChanges(TreeScope::WholeTree));
    EXPECT_EQ(bench.frontEnd.progressRanges.back(), 1);
    ASSERT_EQ(bench.recorder.frames().size(), 1u);
    EXPECT_EQ(bench.recorder.frames().front().hash, hash_name("Rs.dL"));
    EXPECT_EQ(bench.module.parameters().find("Rs.dL")->value, Bytes{25});
    EXPECT_EQ(bench.frontEnd.waitDialogs,
              (std::vector<OperationCode>{OperationCode::ReadAll, OperationCode::WriteChanges}));
}

// A model that restarts after each write (KQ-13) is not restarted by a write of no change:
// the person is told there was nothing to write, the line stays quiet, and the empty write
// is the document's last outcome.
TEST(Document, SavingChangesWithNothingChangedWritesNothingAndSendsNoInit) {
    constexpr int kKq13 = 12;
    for (const TreeScope scope : {TreeScope::WholeTree, TreeScope::SelectedBranch}) {
        DocumentBench bench(kKq13);
        ASSERT_TRUE(bench.doc.OnNewDocument());
        ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
        bench.doc.selectedElement = bench.doc.rootBranch();
        bench.recorder.sent.clear();
        bench.ui.messages.clear();

        ASSERT_TRUE(bench.doc.WriteChanges(scope));
        EXPECT_TRUE(bench.recorder.sent.empty());
        EXPECT_EQ(bench.module.restarts(), 0);
        EXPECT_EQ(bench.frontEnd.waitDialogs, std::vector<OperationCode>{OperationCode::ReadAll});
        ASSERT_EQ(bench.ui.messages.size(), 1u);
        EXPECT_EQ(bench.ui.messages[0].text, Text("IDS_NOTHING_TO_WRITE"));
        ASSERT_TRUE(bench.doc.lastOutcome());
        EXPECT_EQ(bench.doc.lastOutcome()->counts, ExchangeCounts{});
        EXPECT_FALSE(bench.doc.lastOutcome()->initSent);

        // With a change the model's restart follows the write, as before.
        ASSERT_TRUE(bench.named("t.Ms").SetValue("200"));
        ASSERT_TRUE(bench.doc.WriteChanges(scope));
        EXPECT_EQ(bench.recorder.framesWithHash(hash_name("INIT")), 1u);
    }
}

TEST(Document, MissingTreeOrBranchIsToldAndNothingRuns) {
    DocumentBench bench;
    EXPECT_FALSE(bench.doc.ReadAll(TreeScope::WholeTree));
    ASSERT_TRUE(bench.doc.OnNewDocument());
    EXPECT_FALSE(bench.doc.Compare(TreeScope::SelectedBranch));  // nothing selected
    bench.doc.selectedElement = &bench.doc.serviceParameters();  // an element, not a branch
    EXPECT_FALSE(bench.doc.WriteAll(TreeScope::SelectedBranch));

    ASSERT_EQ(bench.ui.messages.size(), 3u);
    EXPECT_EQ(bench.ui.messages[0].text, "No tree selected");
    EXPECT_EQ(bench.ui.messages[1].text, "No branch selected");
    EXPECT_EQ(bench.ui.messages[2].text, "No branch selected");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(bench.frontEnd.waitDialogs.empty());

    // A branch selected: the operation covers only it.
    DescBranch* branch = bench.doc.rootBranch()->subBranches().front().get();
    bench.doc.selectedElement = branch;
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::SelectedBranch));
    EXPECT_EQ(bench.frontEnd.progressRanges.back(), parameterCount(*branch));
}

TEST(Document, CompareWithoutDifferences) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    ASSERT_TRUE(bench.doc.Compare(TreeScope::WholeTree));
    EXPECT_EQ(bench.doc.compareReport().differences(), 0);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, "No difference found");
    EXPECT_EQ(bench.ui.messages[0].caption, "Comparison result");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Information);
}

TEST(Document, CompareListsTheFirstTenOfTwelveDifferences) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    // Twelve readable parameters changed in the document only, in tree order.
    std::vector<Parameter*> changed;
    DocumentBench::visit(*bench.doc.rootBranch(), [&](Parameter& p) {
        if (changed.size() < 12 && p.errorText.empty() && p.dataIndex >= 0 && p.valueText != "no data") {
            p.valueText = "x" + p.valueText;
            changed.push_back(&p);
        }
    });
    ASSERT_EQ(changed.size(), 12u);
    const std::string firstModuleValue = changed[0]->valueText.substr(1);

    ASSERT_TRUE(bench.doc.Compare(TreeScope::WholeTree));
    EXPECT_EQ(bench.doc.compareReport().differences(), 12);
    const std::string report = bench.ui.messages.back().text;
    EXPECT_EQ(
        report.rfind("Differences: 12(only the first 10 are shown):\n1. Parameter '" + changed[0]->name + "' (", 0), 0u)
        << report;
    // The entries' lines end as the table's texts do (CR LF); the heading's with LF.
    EXPECT_NE(report.find("\r\n10. Parameter '" + changed[9]->name + "' ("), std::string::npos);
    EXPECT_EQ(report.find("11. Parameter"), std::string::npos);
    EXPECT_NE(report.find("configuration: value = x" + firstModuleValue +
                          ", user = unknown\r\ndevice: value = " + firstModuleValue + ", user = unknown"),
              std::string::npos)
        << report;
    EXPECT_EQ(changed[0]->errorText, "Device value '" + firstModuleValue + "', user = unknown");
    EXPECT_EQ(changed[9]->errorText.rfind("Device value '", 0), 0u);
    EXPECT_EQ(changed[10]->errorText, "");
    EXPECT_EQ(changed[11]->errorText, "");
    EXPECT_EQ(changed[0]->valueText, "x" + firstModuleValue);  // a comparison changes no value
}

TEST(Document, CompareCountsAnOwnerDifferenceButNotAFailedRead) {
    DocumentBench bench;
    bench.ui.switches[OptionSwitch::SendAttributes] = true;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));

    Parameter& owned = bench.named("Rs.dL");
    ASSERT_EQ(owned.manufacturerOwned, 0);
    owned.manufacturerOwned = 1;
    // An index the module does not have: its read fails with the module's reason.
    Parameter* indexed = nullptr;
    DocumentBench::visit(*bench.doc.rootBranch(), [&](Parameter& p) {
        if (!indexed && p.indexed) indexed = &p;
    });
    ASSERT_NE(indexed, nullptr);
    indexed->dataIndex = 200;

    ASSERT_TRUE(bench.doc.Compare(TreeScope::WholeTree));
    EXPECT_EQ(bench.doc.compareReport().differences(), 1);
    EXPECT_EQ(owned.errorText, "Device value '" + owned.valueText + "', user = unknown");
    EXPECT_NE(
        bench.ui.messages.back().text.find("user = Company\r\ndevice: value = " + owned.valueText + ", user = unknown"),
        std::string::npos);
    EXPECT_FALSE(indexed->errorText.empty());
    EXPECT_EQ(indexed->errorText.rfind("Device value", 0), std::string::npos);
}

TEST(Document, InitAskedFirstAndSentOnlyOnYes) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    bench.ui.answers = {MessageAnswer::No};
    bench.doc.SendInitWithConfirmation();
    EXPECT_EQ(bench.recorder.framesWithHash(hash_name("INIT")), 0u);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(bench.ui.messages[0].buttons, MessageButtons::YesNo);

    bench.ui.answers = {MessageAnswer::Yes};
    bench.doc.SendInitWithConfirmation();
    EXPECT_EQ(bench.recorder.framesWithHash(hash_name("INIT")), 1u);
    EXPECT_EQ(bench.ui.messages.size(), 2u);  // the question only
}

// A port closed since its last use (the module restarted, the adapter replugged): the
// check opens it again instead of reporting the module gone.
TEST(Document, CheckConnectionOpensAPortThatBecameUnusable) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    bench.doc.device().CloseLine();
    ASSERT_FALSE(bench.doc.device().portUsable());
    bench.doc.device().lastExchange = ParameterLink::LastExchange::Failed;
    bench.doc.CheckConnectionCommand();
    ASSERT_EQ(bench.ui.messages.size(), 1u) << bench.ui.messages[0].text;
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(bench.recorder.framesWithHash(hash_name("dev")), 1u);
    EXPECT_TRUE(bench.doc.device().portUsable());
    // The status bar's "last exchange" follows the check.
    EXPECT_EQ(bench.doc.device().lastExchange.load(), ParameterLink::LastExchange::Worked);
}

TEST(Document, ApplyCopiesTheModuleNetworkSettingsOnlyAfterTheDialogSaidSo) {
    DocumentBench bench;
    ASSERT_TRUE(bench.doc.OnNewDocument());
    ASSERT_NE(bench.doc.networkBranch(), nullptr);
    DescBranch& network = *bench.doc.networkBranch();
    network.SetParameterText("bPS", "19200");
    network.SetParameterText("Addr", "42");
    network.SetParameterText("Sbit", "2");
    network.FindParameter("LEn")->valueText = Text("IDS_NODATA");
    NetRS485prg& program = bench.doc.networkSettings();
    const std::string dataBitsBefore = program.GetParameterText("LEn");

    bench.frontEnd.applyDialogAnswer = false;
    bench.doc.ApplyNetworkSettings();
    EXPECT_EQ(program.GetParameterText("bPS"), "9600");

    bench.frontEnd.applyDialogAnswer = true;
    bench.doc.ApplyNetworkSettings();
    EXPECT_EQ(bench.frontEnd.applyDialogs, 2);
    EXPECT_EQ(program.GetParameterText("bPS"), "19200");
    EXPECT_EQ(program.GetParameterText("Addr"), "42");
    EXPECT_EQ(program.GetParameterText("Sbit"), "2");
    EXPECT_EQ(program.GetParameterText("LEn"), dataBitsBefore);  // "no data" is not copied
    // The port was opened anew with them.
    EXPECT_EQ(bench.doc.device().sio().baudRate, 19200u);
    EXPECT_EQ(bench.frontEnd.viewUpdates, 1);
}

TEST(Document, ShowIndexesAndInstantRecordingAreKeptAcrossRunsReadWhenOpenIsNot) {
    DocumentBench bench;
    bench.doc.ToggleShowIndexes();
    bench.doc.ToggleInstantRecording();
    bench.doc.ToggleReadWhenOpen();
    EXPECT_TRUE(bench.ui.option(OptionSwitch::ShowIndexes));
    EXPECT_TRUE(bench.ui.option(OptionSwitch::ReadWhenOpen));
    EXPECT_EQ(bench.frontEnd.viewUpdates, 1);  // Show indexes redraws the views

    test::SwitchingUserInterface nextRun;
    test::ScriptedFrontEnd nextFrontEnd;
    CPlimoDoc next(nextRun, nextFrontEnd);
    next.RestoreOptionSwitches();
    EXPECT_TRUE(nextRun.option(OptionSwitch::ShowIndexes));
    EXPECT_TRUE(nextRun.option(OptionSwitch::InstantRecording));
    EXPECT_FALSE(nextRun.option(OptionSwitch::ReadWhenOpen));

    bench.doc.ToggleShowIndexes();
    next.RestoreOptionSwitches();
    EXPECT_FALSE(nextRun.option(OptionSwitch::ShowIndexes));
}

TEST(Document, StartUpWithoutAModuleOffersTheConnectionDialog) {
    DocumentBench bench;
    bench.line.adapterNeeded = kAdapterZk7;  // nobody answers in the mode the link starts in
    bench.line.openResult = -1;              // nor could the port be opened
    bench.frontEnd.exitInConnectionDialog = true;
    EXPECT_FALSE(bench.doc.StartUp());
    EXPECT_EQ(bench.frontEnd.connectionDialogs, 1);
    EXPECT_TRUE(bench.doc.exitRequested());
    EXPECT_FALSE(bench.ui.option(OptionSwitch::ReadWhenOpen));
    EXPECT_FALSE(bench.doc.OnNewDocument());
}

TEST(Document, StartUpOnTheCommandLine) {
    struct Case {
        std::uint8_t mode;
        bool readWhenOpen;
        bool exitRequested;
    };
    for (const Case& c : {Case{0, true, false}, Case{kModeAutoreadOff, false, false}, Case{kModeTest, true, true}}) {
        DocumentBench bench;
        app().commandLine().options = kOptCommandLineMode;
        app().commandLine().mode = c.mode;
        EXPECT_TRUE(bench.doc.StartUp());
        EXPECT_EQ(bench.frontEnd.connectionDialogs, 0);
        EXPECT_EQ(bench.ui.option(OptionSwitch::ReadWhenOpen), c.readWhenOpen) << int(c.mode);
        EXPECT_EQ(bench.doc.exitRequested(), c.exitRequested) << int(c.mode);
    }
}

}  // namespace
}  // namespace vantor
