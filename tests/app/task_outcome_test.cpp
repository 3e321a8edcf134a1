// How the main window tells the outcome of a task: the status bar keeps it beside the
// port, the module and the last exchange, and after a failure the view shows the first
// troubled row.

#include <gtest/gtest.h>

#include <QStatusBar>
#include <QTreeView>
#include <set>

#include "app/connection_status.h"
#include "app/gui_front_end.h"
#include "app/gui_user_interface.h"
#include "app/main_window.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "support/document_bench.h"
#include "support/shot_path.h"
#include "view/parameter_rows.h"
#include "view/parameter_tree_model.h"
#include "view/parameter_view.h"

namespace vantor {
namespace {

// The module answers every request but those for the parameters named.
class DeafToLine : public LineTransport, public LinePort {
public:
    DeafToLine(test::RecordingLine& line, std::set<std::string> names) : line_(line) {
        for (const std::string& name : names) hashes_.insert(hash_name(name));
    }
    int Transact(std::string_view request, std::string& reply) override {
        ReceivedFrame frame;
        if (ParseFrame(request, frame) == FrameCheck::Ok && hashes_.count(frame.hash)) {
            reply.clear();
            return kTransactTimeout;
        }
        return line_.Transact(request, reply);
    }
    int Open() override { return line_.Open(); }
    int Close() override { return line_.Close(); }
    bool Usable() const override { return line_.Usable(); }

private:
    test::RecordingLine& line_;
    std::set<std::uint16_t> hashes_;
};

struct OutcomeBench {
    OutcomeBench() {
        bench.doc.OnNewDocument();
        window = std::make_unique<gui::MainWindow>(bench.doc, ui);
        view = new gui::ParameterView(bench.doc, ui);
        window->setCentralView(view);
        view->fill();
        frontEnd.setWindow(window.get());
        frontEnd.setView(view);
        status = window->statusBar()->findChild<gui::ConnectionStatus*>();
    }
    // Runs a read of the whole tree and tells the desktop front end how it ended, as the
    // document does once the wait dialog has closed.
    void readAll() {
        ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
        frontEnd.TaskEnded(*bench.doc.lastOutcome());
    }
    test::DocumentBench bench;
    gui::GuiUserInterface ui;
    std::unique_ptr<gui::MainWindow> window;
    gui::ParameterView* view = nullptr;
    gui::GuiFrontEnd frontEnd{ui};
    gui::ConnectionStatus* status = nullptr;
};

TEST(TaskOutcome, TheStatusBarShowsThePortTheModuleTheLastExchangeAndTheLastTask) {
    OutcomeBench b;
    ASSERT_NE(b.status, nullptr);
    const LineSettings line = b.bench.doc.networkSettings().lineSettings();
    const QString connection = QString::fromStdString(line.portPath) + ", 9600 baud, 8N1 · KQ-16 at address 16";
    EXPECT_EQ(b.status->connectionText(), connection);
    EXPECT_EQ(b.status->taskText(), "");

    b.readAll();
    EXPECT_EQ(b.status->connectionText(), connection + " · last exchange: the module answered");
    EXPECT_EQ(b.status->taskText(), "Reading from device: accomplished");

    test::DeadLine dead;
    dead.Open();
    b.bench.doc.device().attachLine(&dead, &dead);
    const int total = b.bench.frontEnd.progressRanges.back();
    b.readAll();
    EXPECT_EQ(b.status->connectionText(), connection + " · last exchange: failed");
    EXPECT_EQ(b.status->taskText(), QString("Reading from device: %1 of %2 parameters failed").arg(total).arg(total));
    b.window->grab().save(test::shotPath("vantor_status_after_failed_read"));
}

// Only Rs.dL, in a branch the view shows collapsed, fails: once the task has ended it is
// the current row, and the branches above it are open.
TEST(TaskOutcome, AfterAFailedTaskTheViewShowsTheFirstTroubledRow) {
    OutcomeBench b;
    DeafToLine deaf(b.bench.recorder, {"Rs.dL"});
    b.bench.doc.device().attachLine(&deaf, &deaf);
    QTreeView& tree = b.view->tree();
    const gui::ParameterTreeModel& rows = b.view->rows();
    const QModelIndex before = tree.currentIndex();

    b.readAll();
    ASSERT_TRUE(b.bench.doc.lastOutcome()->failed());
    const QModelIndex current = tree.currentIndex();
    ASSERT_TRUE(current.isValid());
    EXPECT_NE(current, before);
    const gui::RowNode* row = rows.node(gui::SourceIndex(current));
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->parameter(), nullptr);
    EXPECT_EQ(row->parameter()->name, "Rs.dL");
    EXPECT_FALSE(row->parameter()->errorText.empty());
    for (QModelIndex above = current.parent(); above.isValid(); above = above.parent())
        EXPECT_TRUE(tree.isExpanded(above));

    // A read that succeeds leaves the current row where the person put it.
    b.bench.doc.device().attachLine(&b.bench.recorder, &b.bench.recorder);
    tree.setCurrentIndex(tree.model()->index(0, 0));
    b.readAll();
    EXPECT_FALSE(b.bench.doc.lastOutcome()->failed());
    EXPECT_EQ(tree.currentIndex(), tree.model()->index(0, 0));
}

}  // namespace
}  // namespace vantor
