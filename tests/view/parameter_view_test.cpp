// The parameter view on a document whose link talks to an in-process module.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include "support/document_bench.h"
#include "support/shot_path.h"
#include "text/texts.h"
#include "view/link_jobs.h"
#include "view/parameter_tree_model.h"
#include "view/parameter_view.h"
#include "view/row_filter.h"
#include "view/sampled_rows.h"

namespace vantor {
namespace {

using gui::ParameterTreeModel;
using gui::ParameterView;
using gui::RowNode;
using test::DocumentBench;

constexpr QRgb kBlack = 0xFF000000, kRed = 0xFFFF0000, kBlue = 0xFF4040FF, kGreen = 0xFF00C800;

struct ViewBench : DocumentBench {
    ViewBench() {
        if (!doc.OnNewDocument()) throw std::runtime_error("no document");
        view.fill();
    }
    ParameterTreeModel& rows() { return view.rows(); }
    QModelIndex at(const Parameter& parameter, int column = 0) {
        return rows().indexOf(rows().rowOf(&parameter), column);
    }
    QString cell(const Parameter& parameter, int column) { return at(parameter, column).data().toString(); }
    QRgb colour(const QModelIndex& index) { return index.data(Qt::ForegroundRole).value<QColor>().rgba(); }
    bool edit(const Parameter& parameter, const QString& text, int column = ParameterTreeModel::Value) {
        return rows().setData(at(parameter, column), text);
    }
    // The index of the tree's (filtered) model for a parameter's row.
    QModelIndex shown(const Parameter& parameter) { return view.filter().mapFromSource(at(parameter)); }
    QAction* entry(QMenu& menu, const char* key) {
        for (QAction* action : menu.actions())
            if (action->text().toStdString() == Text(key)) return action;
        return nullptr;
    }

    ParameterView view{doc, ui};
};

TEST(ParameterView, RowsColumnsColoursAndIconsOfAReadTree) {
    ViewBench bench;
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    bench.view.updateAllViews();
    ParameterTreeModel& rows = bench.rows();

    const QStringList titles = {"Description", "Parameter", "Value", "User", "Error / Discrepancy"};
    for (int column = 0; column < titles.size(); ++column)
        EXPECT_EQ(rows.headerData(column, Qt::Horizontal).toString(), titles[column]);
    EXPECT_EQ(bench.view.tree().header()->sectionSize(0), 360);
    EXPECT_EQ(bench.view.tree().header()->sectionSize(2), 180);

    ASSERT_EQ(rows.rowCount(), 1);
    const QModelIndex root = rows.index(0, 0);
    EXPECT_EQ(root.data().toString(), "Configuration");
    EXPECT_FALSE(root.data(Qt::DecorationRole).value<QIcon>().isNull());
    const QModelIndex device = rows.indexOf(rows.deviceBranchRow());
    EXPECT_EQ(device.parent(), root);
    EXPECT_EQ(device.data().toString(), "KQ-16");

    Parameter& delay = bench.named("Rs.dL");
    EXPECT_EQ(bench.cell(delay, 0).toStdString(), delay.description);
    EXPECT_EQ(bench.cell(delay, 1), "Rs.dL");
    EXPECT_EQ(bench.cell(delay, 2), "0");
    EXPECT_EQ(bench.cell(delay, 3), "unknown");
    EXPECT_EQ(bench.at(delay, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_TRUE(bench.at(delay, 2).flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(bench.at(delay, 1).flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(bench.at(bench.named("dev"), 2).flags() & Qt::ItemIsEditable);  // read-only
    EXPECT_FALSE(bench.at(delay).data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(bench.colour(bench.at(delay)), kBlack);

    // A discrepancy is blue and leaves the branch black; an exchange error is red and
    // turns every branch above red.
    const QModelIndex network = bench.at(delay).parent();
    delay.errorText = Text("IDS_DISCREPANCY") + " '5', user = unknown";
    bench.view.updateAllViews();
    EXPECT_EQ(bench.colour(bench.at(delay)), kBlue);
    EXPECT_EQ(bench.colour(network), kBlack);
    delay.errorText = "No answer";
    bench.view.updateAllViews();
    EXPECT_EQ(bench.colour(bench.at(delay)), kRed);
    EXPECT_EQ(bench.cell(delay, 4), "No answer");
    EXPECT_EQ(bench.colour(network), kRed);
    EXPECT_EQ(bench.colour(device), kRed);
    EXPECT_EQ(bench.colour(root), kBlack);    // the root row shows no object
    delay.errorText = Text("IDS_NODATAMSG");  // an unread value is no exchange error
    bench.view.updateAllViews();
    EXPECT_EQ(bench.colour(network), kBlack);
}

// Not a check: pictures of the view to look at.
TEST(ParameterView, RendersAReadTree) {
    ViewBench bench;
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    bench.named("Rs.dL").errorText = Text("IDS_DISCREPANCY") + " '5', user = unknown";
    bench.named("Mains").errorText = "No answer";
    ASSERT_TRUE(bench.edit(bench.named("Addr"), "17"));
    bench.view.updateAllViews();
    bench.view.resize(1000, 760);
    bench.view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bench.view));
    bench.view.tree().expandAll();
    const QCheckBox* onlyMarked = bench.view.findChild<QCheckBox*>();
    ASSERT_TRUE(onlyMarked);
    EXPECT_EQ(onlyMarked->text(), "&Only changed or troubled");
    EXPECT_GE(onlyMarked->width(), onlyMarked->sizeHint().width()) << onlyMarked->geometry().x();
    EXPECT_TRUE(bench.view.grab().save(test::shotPath("view")));
    bench.view.tree().scrollToBottom();
    // One sampled row ticked, and its first value in.
    const RowNode* sampled = nullptr;
    for (const auto& below : bench.rows().scannersRow()->children)
        if (!sampled && !below->children.empty()) sampled = below->children.front().get();
    ASSERT_TRUE(sampled && sampled->sampledParameter);
    bench.rows().setData(bench.rows().indexOf(sampled), Qt::Checked, Qt::CheckStateRole);
    QTRY_VERIFY_WITH_TIMEOUT(!bench.rows().indexOf(sampled, 2).data().toString().isEmpty(), 10000);
    EXPECT_TRUE(bench.view.grab().save(test::shotPath("view_sampled")));
}

TEST(ParameterView, WithoutATreeThePlaceholderRowStands) {
    DocumentBench bench;
    ParameterView view(bench.doc, bench.ui);
    view.fill();
    const QModelIndex placeholder = view.rows().index(0, 0, view.rows().index(0, 0));
    EXPECT_EQ(placeholder.data().toString(), "Device parameters");
    EXPECT_EQ(placeholder.siblingAtColumn(2).data().toString(), "(not defined)");
    view.nextTroubled();  // nothing to search, nothing said
    EXPECT_TRUE(bench.ui.messages.empty());
}

TEST(ParameterView, AnAcceptedEditIsGreenOrWrittenAtOnce) {
    ViewBench bench;
    Parameter& delay = bench.named("Rs.dL");
    EXPECT_FALSE(bench.edit(delay, bench.cell(delay, 2)));  // the same text changes nothing
    EXPECT_FALSE(bench.doc.modified());

    ASSERT_TRUE(bench.edit(delay, "25"));
    EXPECT_TRUE(bench.doc.modified());
    EXPECT_EQ(delay.valueText, "25");
    EXPECT_EQ(bench.colour(bench.at(delay)), kGreen);
    EXPECT_NE(bench.module.parameters().find("Rs.dL")->value, Bytes{25});

    bench.ui.switches[OptionSwitch::InstantRecording] = true;
    ASSERT_TRUE(bench.edit(delay, "26"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bench.view.linkJobs().idle(); }, 20000));
    EXPECT_EQ(bench.module.parameters().find("Rs.dL")->value, Bytes{26});
    EXPECT_EQ(bench.colour(bench.at(delay)), kBlack);
    EXPECT_EQ(bench.cell(delay, 4), "");
    EXPECT_TRUE(bench.ui.messages.empty());
}

TEST(ParameterView, ARefusedEditTellsWhyAndKeepsTheOldValue) {
    ViewBench bench;
    Parameter& delay = bench.named("Rs.dL");
    const std::string before = delay.valueText;
    EXPECT_FALSE(bench.edit(delay, "300"));
    EXPECT_EQ(delay.valueText, before);
    EXPECT_EQ(bench.cell(delay, 2).toStdString(), before);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, "Parameter 'Rs.dL' (" + delay.description +
                                             ") cannot be set to 300\r\nThe allowed value should be 'integer' of the "
                                             "range 0...255");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(bench.ui.messages[0].caption, Text("AFX_IDS_APP_TITLE"));

    // A company-owned parameter takes no edit, without a word.
    delay.manufacturerOwned = 1;
    EXPECT_FALSE(bench.edit(delay, "7"));
    EXPECT_EQ(delay.valueText, before);
    EXPECT_EQ(bench.ui.messages.size(), 1u);
}

TEST(ParameterView, TheNetworkCombinationCheckRefusesAWideAddressWithEightAddressBits) {
    ViewBench bench;
    Parameter& address = bench.named("Addr");
    bench.named("A.Len").valueText = "8";
    const std::string before = address.valueText;
    EXPECT_FALSE(bench.edit(address, "300"));
    EXPECT_EQ(address.valueText, before);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, Text("IDS_STRING258"));

    bench.named("A.Len").valueText = "11";
    EXPECT_TRUE(bench.edit(address, "300"));
    EXPECT_EQ(address.valueText, "300");
}

TEST(ParameterView, DropDownChoicesShowBlanksAndCurrentFirst) {
    ViewBench bench;
    Parameter& rate = bench.named("AdC.r");
    const RowNode& row = *bench.rows().rowOf(&rate);
    EXPECT_EQ(bench.rows().editing().editorFor(row, 2), gui::ValueEditor::DropDown);
    rate.type = "10_Hz:20_Hz::40_Hz<hide>:80_Hz";
    EXPECT_EQ(bench.rows().editing().choices(row, "20 Hz"), (std::vector<std::string>{"20 Hz", "10 Hz", "80 Hz"}));
}

TEST(ParameterView, ContextMenusReachTheDocument) {
    ViewBench bench;
    Parameter& delay = bench.named("Rs.dL");
    std::unique_ptr<QMenu> menu(bench.view.contextMenuFor(bench.shown(delay)));
    ASSERT_TRUE(menu);
    ASSERT_TRUE(bench.entry(*menu, "IDR_MENU_PARAMETER_ID_PARAMETER_WRITE"));
    bench.entry(*menu, "IDR_MENU_PARAMETER_ID_PARAMETER_READ")->trigger();
    bench.entry(*menu, "IDR_MENU_PARAMETER_ID_PARAMETER_WRITE")->trigger();
    EXPECT_EQ(bench.frontEnd.waitDialogs,
              (std::vector<OperationCode>{OperationCode::ReadOne, OperationCode::WriteOne}));

    delay.valueText = "9";
    delay.valueChanged = 1;
    delay.errorText = "No answer";
    bench.entry(*menu, "IDR_MENU_PARAMETER_ID_PARAMETER_NODATA")->trigger();
    EXPECT_EQ(delay.valueText, "no data");
    EXPECT_EQ(delay.errorText, "");
    EXPECT_EQ(delay.valueChanged, 0);

    // A read-only parameter has nothing to save.
    std::unique_ptr<QMenu> readOnly(bench.view.contextMenuFor(bench.shown(bench.named("dev"))));
    ASSERT_TRUE(readOnly);
    EXPECT_FALSE(bench.entry(*readOnly, "IDR_MENU_PARAMETER_ID_PARAMETER_WRITE"));

    // The branch commands work on the row's branch.
    const QModelIndex network = bench.shown(delay).parent();
    std::unique_ptr<QMenu> branch(bench.view.contextMenuFor(network));
    ASSERT_TRUE(branch);
    ASSERT_EQ(branch->actions().size(), 4);
    bench.entry(*branch, "IDR_MENU_TREE_ID_BRANCH_READ")->trigger();
    bench.entry(*branch, "IDR_MENU_TREE_ID_BRANCH_COMPARE")->trigger();
    EXPECT_EQ(bench.frontEnd.waitDialogs.size(), 4u);
    EXPECT_EQ(bench.frontEnd.waitDialogs[2], OperationCode::ReadAll);
    EXPECT_EQ(bench.frontEnd.waitDialogs[3], OperationCode::Compare);
    EXPECT_EQ(bench.doc.selectedElement, bench.rows().node(gui::SourceIndex(network))->element());

    // The sampled rows and the root have no menu.
    EXPECT_EQ(bench.view.contextMenuFor(bench.view.filter().index(0, 0)), nullptr);
}

TEST(ParameterView, TroubledParametersForwardAndBackwardWithoutWrapping) {
    ViewBench bench;
    Parameter& delay = bench.named("Rs.dL");  // Network_parameters
    Parameter& mains = bench.named("Mains");  // Conversion
    Parameter& baud = bench.named("bPS");     // Network_parameters, before Rs.dL
    for (Parameter* p : {&delay, &mains, &baud}) p->errorText = "No answer";
    bench.view.updateAllViews();
    QTreeView& tree = bench.view.tree();
    const auto current = [&] { return bench.rows().node(gui::SourceIndex(tree.currentIndex()))->parameter(); };

    bench.view.nextTroubled();  // from nothing: the device branch's first parameters
    EXPECT_EQ(current(), &baud);
    bench.view.nextTroubled();
    EXPECT_EQ(current(), &delay);
    bench.view.nextTroubled();
    EXPECT_EQ(current(), &mains);
    EXPECT_TRUE(bench.ui.messages.empty());
    bench.view.nextTroubled();  // the last one: no wrapping
    EXPECT_EQ(current(), &mains);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, "No troubled parameter");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Information);

    bench.view.previousTroubled();
    EXPECT_EQ(current(), &delay);
    bench.view.previousTroubled();
    EXPECT_EQ(current(), &baud);
    bench.view.previousTroubled();
    EXPECT_EQ(bench.ui.messages.size(), 2u);

    // Alt+Down does the same from the keyboard.
    EXPECT_EQ(bench.view.nextTroubledAction().shortcut(), QKeySequence("Alt+Down"));
    EXPECT_EQ(bench.view.previousTroubledAction().shortcut(), QKeySequence("Alt+Up"));
}

TEST(ParameterView, ShowIndexesAddsIndexesAndElementNumbers) {
    ViewBench bench;
    Parameter* indexed = nullptr;
    DocumentBench::visit(*bench.doc.rootBranch(), [&](Parameter& p) {
        if (!indexed && p.indexed && p.dataIndex == 2) indexed = &p;
    });
    ASSERT_NE(indexed, nullptr);
    const QModelIndex branch = bench.at(*indexed).parent();
    EXPECT_EQ(bench.cell(*indexed, 1).toStdString(), indexed->name);
    EXPECT_EQ(branch.siblingAtColumn(1).data().toString(), "");

    bench.ui.switches[OptionSwitch::ShowIndexes] = true;
    bench.view.updateAllViews();
    EXPECT_EQ(bench.cell(*indexed, 1).toStdString(), indexed->name + ":2");
    EXPECT_EQ(branch.siblingAtColumn(1).data().toString(), "(2)");
}

TEST(ParameterView, TheFilterShowsMatchingRowsWithTheirBranches) {
    ViewBench bench;
    gui::RowFilter& filter = bench.view.filter();
    Parameter& delay = bench.named("Rs.dL");
    filter.setText("rs.dl");
    EXPECT_TRUE(bench.shown(delay).isValid());
    EXPECT_FALSE(bench.shown(bench.named("Addr")).isValid());
    EXPECT_EQ(filter.rowCount(bench.shown(delay).parent()), 1);

    filter.setText("");
    filter.setOnlyMarked(true);
    EXPECT_FALSE(bench.shown(delay).isValid());
    ASSERT_TRUE(bench.edit(delay, "12"));  // changed: shown as soon as the change is in
    QTRY_VERIFY(bench.shown(delay).isValid());
    EXPECT_FALSE(bench.shown(bench.named("Addr")).isValid());
    filter.setOnlyMarked(false);
    EXPECT_TRUE(bench.shown(bench.named("Addr")).isValid());
}

TEST(ParameterView, ColumnWidthsAreRemembered) {
    DocumentBench bench;
    {
        ParameterView view(bench.doc, bench.ui);
        view.tree().header()->resizeSection(4, 321);
    }
    ParameterView again(bench.doc, bench.ui);
    EXPECT_EQ(again.tree().header()->sectionSize(4), 321);
}

}  // namespace
}  // namespace vantor
