// "Read when open" on a new document: opening every branch at once (keypad *) reads the
// rows that hold no data, and no frame of it goes out on the window's thread.

#include <gtest/gtest.h>

#include <QProgressBar>
#include <QTest>
#include <QThread>
#include <QTreeView>
#include <functional>

#include "support/document_bench.h"
#include "support/thread_noting_line.h"
#include "view/expansion_reader.h"
#include "view/parameter_tree_model.h"
#include "view/parameter_view.h"

namespace vantor {
namespace {

using gui::ParameterView;
using test::DocumentBench;
using test::ThreadNotingLine;

// Counts the times a widget is shown.
struct ShowCounter : QObject {
    explicit ShowCounter(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Show;
        return false;
    }
    int count = 0;
};

struct ReadWhenOpenBench : DocumentBench {
    ReadWhenOpenBench() {
        if (!doc.OnNewDocument()) throw std::runtime_error("no document");
        ui.switches[OptionSwitch::ReadWhenOpen] = true;
        doc.device().attachLine(&line, &line);
    }
    bool readsDone() {
        return QTest::qWaitFor([this] { return view.expansionReader().idle(); }, 20000);
    }

    ThreadNotingLine line{recorder};
    ParameterView view{doc, ui};
};

TEST(ReadWhenOpen, OpeningEveryBranchReadsOffTheWindowsThread) {
    ReadWhenOpenBench bench;
    bench.view.resize(900, 700);
    bench.view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bench.view));
    bench.view.fill();
    ASSERT_TRUE(bench.readsDone());
    QTreeView& tree = bench.view.tree();
    tree.setCurrentIndex(tree.model()->index(0, 0));
    const int before = bench.line.exchanges();

    auto* progress = bench.view.findChild<QProgressBar*>();
    ASSERT_TRUE(progress);
    ShowCounter shown(*progress);

    QTest::keyClick(&tree, Qt::Key_Asterisk, Qt::KeypadModifier);
    ASSERT_TRUE(bench.readsDone());
    // The reads were shown under way, and the bar went once they were done.
    EXPECT_EQ(shown.count, 1);
    EXPECT_TRUE(progress->isHidden());

    // Every branch stays open as the values come in.
    int closed = 0;
    std::function<void(const QModelIndex&)> visit = [&](const QModelIndex& parent) {
        for (int row = 0; row < tree.model()->rowCount(parent); ++row) {
            const QModelIndex child = tree.model()->index(row, 0, parent);
            if (tree.model()->rowCount(child) == 0) continue;
            closed += !tree.isExpanded(child);
            visit(child);
        }
    };
    visit(QModelIndex());
    EXPECT_EQ(closed, 0);
    EXPECT_GT(bench.line.exchanges(), before);
    EXPECT_EQ(bench.line.onWindowThread(), 0) << "of " << bench.line.exchanges() << " exchanges";
    // A row deep in the tree came in with the module's value.
    Parameter& delay = bench.named("Rs.dL");
    EXPECT_EQ(delay.valueText, "0");
    EXPECT_EQ(bench.view.rows().indexOf(bench.view.rows().rowOf(&delay), 2).data().toString(), "0");
}

}  // namespace
}  // namespace vantor
