// The parameter view from the keyboard: editing a value without a mouse, and the
// filter box's Escape.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

#include "support/document_bench.h"
#include "view/parameter_tree_model.h"
#include "view/parameter_view.h"
#include "view/row_filter.h"

namespace vantor {
namespace {

using gui::ParameterTreeModel;

struct KeyboardBench : test::DocumentBench {
    KeyboardBench() {
        if (!doc.OnNewDocument()) throw std::runtime_error("no document");
        view.fill();
        view.resize(900, 600);
        view.show();
        view.activateWindow();
        if (!QTest::qWaitForWindowActive(&view)) throw std::runtime_error("the view never became active");
        tree().setFocus();
    }
    QTreeView& tree() { return view.tree(); }
    QModelIndex shown(const Parameter& parameter, int column) {
        const ParameterTreeModel& rows = view.rows();
        return view.filter().mapFromSource(rows.indexOf(rows.rowOf(&parameter), column));
    }
    QLineEdit& filterBox() { return *view.findChild<QLineEdit*>(); }
    // The texts of the open branches, parents first.
    QStringList openBranches(const QModelIndex& parent = {}) {
        QStringList open;
        for (int row = 0; row < view.filter().rowCount(parent); ++row) {
            const QModelIndex index = view.filter().index(row, 0, parent);
            if (!tree().isExpanded(index)) continue;
            open << index.data().toString();
            open << openBranches(index);
        }
        return open;
    }

    gui::ParameterView view{doc, ui};
};

TEST(ViewKeyboard, EditKeysOpenTheValueOfTheCurrentRowWhateverColumnIsCurrent) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_F2, Qt::NoModifier}, {Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}};
    for (const auto& [key, modifiers] : keys) {
        SCOPED_TRACE(key);
        KeyboardBench bench;
        Parameter& delay = bench.named("Rs.dL");
        const QModelIndex description = bench.shown(delay, ParameterTreeModel::Description);
        for (QModelIndex above = description.parent(); above.isValid(); above = above.parent())
            bench.tree().expand(above);
        bench.tree().setCurrentIndex(description);
        QTest::keyClick(&bench.tree(), key, modifiers);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);  // an editor in the tree took the keys
        EXPECT_TRUE(bench.tree().isAncestorOf(editor));
        EXPECT_EQ(bench.tree().currentIndex().column(), ParameterTreeModel::Value);

        editor->selectAll();
        QTest::keyClicks(editor, "25");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the delegate commits from the event loop
        EXPECT_EQ(delay.valueText, "25");
        EXPECT_EQ(QApplication::focusWidget(), &bench.tree());  // the editor closed
    }
}

TEST(ViewKeyboard, ARowWithoutAValueLeavesTheKeysToTheTree) {
    KeyboardBench bench;
    const QModelIndex root = bench.view.filter().index(0, 0);
    bench.tree().setCurrentIndex(root);
    QTest::keyClick(&bench.tree(), Qt::Key_F2);
    EXPECT_EQ(QApplication::focusWidget(), &bench.tree());
}

TEST(ViewKeyboard, EscapeClearsTheFilterAndTheTreeOpensAsBefore) {
    KeyboardBench bench;
    const QStringList before = bench.openBranches();
    ASSERT_FALSE(before.isEmpty());
    bench.filterBox().setFocus();
    QTest::keyClicks(&bench.filterBox(), "Rs.dL");
    ASSERT_TRUE(bench.view.filter().active());
    EXPECT_NE(bench.openBranches(), before);  // every branch of a match is open

    QTest::keyClick(&bench.filterBox(), Qt::Key_Escape);
    EXPECT_EQ(bench.filterBox().text(), "");
    EXPECT_FALSE(bench.view.filter().active());
    EXPECT_EQ(bench.openBranches(), before);
}

}  // namespace
}  // namespace vantor
