#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <mutex>

#include "dialog_bench.h"
#include "dialogs/wait_dialog.h"
#include "support/document_bench.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::WaitDialog;
using test::eventually;

QString text(const char* key) { return QString::fromStdString(Text(key)); }

QStringList logLines(const WaitDialog& dialog) {
    QStringList lines;
    const auto* log = dialog.findChild<QListWidget*>("log");
    for (int i = 0; i < log->count(); ++i) lines.append(log->item(i)->text());
    return lines;
}

QString field(const WaitDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(name)->text(); }

struct WaitBench : test::DocumentBench {
    WaitBench() { EXPECT_TRUE(doc.OnNewDocument()); }
    Device& device() { return doc.device(); }
};

TEST(WaitDialog, ShowsTheLogTheCountAndTheBarAndStaysReadableAfterTheTask) {
    WaitBench bench;
    bench.device().progressTotal = 12;
    ASSERT_TRUE(bench.device().StartTask(OperationCode::ReadOne, bench.named("Addr")));
    WaitDialog dialog(OperationCode::ReadOne, bench.device());
    EXPECT_EQ(dialog.windowTitle(), text("IDS_STRING266"));
    dialog.show();

    for (int position = 1; position <= 6; ++position) dialog.appendLog(QString("line %1").arg(position), position);
    EXPECT_EQ(field(dialog, "count"), "6 of 12");
    EXPECT_EQ(dialog.findChild<QProgressBar*>("bar")->maximum(), 12);
    EXPECT_EQ(dialog.findChild<QProgressBar*>("bar")->value(), 6);
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(field(dialog, "elapsed")).hasMatch());
    dialog.appendLog("", 6);
    dialog.taskDone(text("IDS_STRING307"));
    test::saveShot(dialog, "wait_dialog");

    // The outcome is in, the dialog still shows the log.
    ASSERT_TRUE(eventually([&] { return dialog.outcome().has_value(); }));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(logLines(dialog),
              (QStringList{"line 1", "line 2", "line 3", "line 4", "line 5", "line 6", "", text("IDS_STRING307")}));
    ASSERT_TRUE(eventually([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.outcome()->code, OperationCode::ReadOne);
    EXPECT_EQ(dialog.outcome()->counts.failed, 0);
    EXPECT_EQ(bench.named("Addr").valueText, "16");
    EXPECT_EQ(app().resultFlags() & (1u << kResultCancelled), 0u);
}

TEST(WaitDialog, WithoutATotalTheCountAndTheBarStayAsTheyAre) {
    WaitBench bench;
    bench.device().progressTotal = 0;
    ASSERT_TRUE(bench.device().StartTask(OperationCode::ReadOne, bench.named("Addr")));
    WaitDialog dialog(OperationCode::ReadOne, bench.device());
    dialog.appendLog("Addr", 1);
    EXPECT_EQ(field(dialog, "count"), "");
    EXPECT_EQ(dialog.findChild<QProgressBar*>("bar")->value(), 0);
    EXPECT_EQ(logLines(dialog), QStringList{"Addr"});
}

// The task cannot get at the link until the test lets it: Cancel comes first.
TEST(WaitDialog, CancelStopsTheTaskSetsTheCancelledFlagAndClosesAtOnce) {
    const std::function<void(WaitDialog&)> ways[] = {
        [](WaitDialog& dialog) { dialog.findChild<QPushButton*>()->click(); },
        [](WaitDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); },
    };
    for (const auto& cancel : ways) {
        WaitBench bench;
        std::unique_lock link(app().linkLock());
        int total = 0;
        test::DocumentBench::visit(*bench.doc.rootBranch(), [&](Parameter&) { ++total; });
        bench.device().progressTotal = total;
        ASSERT_TRUE(bench.device().StartTask(OperationCode::ReadAll, *bench.doc.rootBranch()));
        WaitDialog dialog(OperationCode::ReadAll, bench.device());
        dialog.setCloseDelay(std::chrono::hours(1));
        dialog.show();

        cancel(dialog);
        EXPECT_EQ(app().resultFlags(), 1u << kResultCancelled);
        EXPECT_TRUE(dialog.isVisible());  // until the task has ended
        link.unlock();
        ASSERT_TRUE(eventually([&] { return !dialog.isVisible(); }));
        ASSERT_TRUE(dialog.outcome().has_value());
        EXPECT_TRUE(dialog.outcome()->cancelled);
        EXPECT_LT(dialog.outcome()->counts.handled, total);
    }
}

// A task in which parameters failed: a read of one parameter, and a whole read that the
// link gives up after five time-outs in a row. The dialog stays with its log until the
// person closes it, whose Close then cancels nothing; an unattended job closes it.
TEST(WaitDialog, AfterAFailedTaskStaysUntilClosedUnlessUnattended) {
    struct Case {
        const char* what;
        OperationCode code;
        bool unattended;
    };
    const Case cases[] = {
        {"one parameter", OperationCode::ReadOne, false},
        {"link gave up", OperationCode::ReadAll, false},
        {"unattended job", OperationCode::ReadAll, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaitBench bench;
        test::DeadLine dead;
        dead.Open();
        bench.device().attachLine(&dead, &dead);
        if (c.unattended) app().commandLine().options = kOptCommandLineMode | kOptRead;
        bench.device().progressTotal = 1;
        const bool started = c.code == OperationCode::ReadOne
                                 ? bench.device().StartTask(c.code, bench.named("Addr"))
                                 : bench.device().StartTask(c.code, *bench.doc.rootBranch());
        ASSERT_TRUE(started);
        WaitDialog dialog(c.code, bench.device());
        dialog.setCloseDelay(std::chrono::milliseconds(0));
        dialog.show();
        ASSERT_TRUE(eventually([&] { return dialog.outcome().has_value() || !dialog.isVisible(); }));
        ASSERT_TRUE(dialog.outcome());
        EXPECT_TRUE(dialog.outcome()->failed());
        ASSERT_EQ(bench.ui.taskDoneTexts.size(), 1u);
        dialog.taskDone(QString::fromStdString(bench.ui.taskDoneTexts[0]));
        if (c.unattended) {
            EXPECT_TRUE(eventually([&] { return !dialog.isVisible(); }));
            continue;
        }
        // The due close delay would have run out by now.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.keptOpen());
        EXPECT_EQ(logLines(dialog).last(), QString::fromStdString(bench.ui.taskDoneTexts[0]));
        auto* button = dialog.findChild<QPushButton*>();
        EXPECT_EQ(button->text(), text("IDD_WAIT_CLOSE"));
        test::saveShot(dialog, QString("wait_dialog_failed_%1").arg(static_cast<int>(c.code)));
        const std::uint32_t flags = app().resultFlags();
        button->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(app().resultFlags(), flags);  // closing cancelled nothing
    }
}

}  // namespace
}  // namespace vantor
