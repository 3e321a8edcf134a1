// The frame traffic monitor on a document whose link talks to an in-process module.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "platform/file_access.h"
#include "protocol/name_hash.h"
#include "support/document_bench.h"
#include "support/temporary_folder.h"
#include "view/traffic_monitor.h"

namespace vantor {
namespace {

using gui::TrafficMonitor;
using test::DocumentBench;

enum Column { Time, Direction, Address, Name, Kind, Data, Value, Outcome };

struct MonitorBench : DocumentBench {
    MonitorBench() {
        if (!doc.OnNewDocument()) throw std::runtime_error("no document");
        monitor.resize(900, 420);
        monitor.show();
        recorder.sent.clear();
    }
    // Runs the window's queued wake-ups: the frames a finished task sent are all there.
    int rows() {
        QCoreApplication::processEvents();
        return monitor.shownRows().rowCount();
    }
    QString cell(int row, Column column) const { return monitor.shownRows().index(row, column).data().toString(); }
    // The row's cells from direction to outcome, the time left out.
    std::string described(int row) const {
        QStringList cells;
        for (const Column column : {Direction, Address, Name, Kind, Data, Value, Outcome}) cells << cell(row, column);
        return cells.join(" | ").toStdString();
    }
    bool readAddr() { return doc.ReadParameterTask(named("Addr")); }

    TrafficMonitor monitor{doc};
};

TEST(TrafficMonitor, ShowsTheFramesOfAReadAllInOrderWithNamesAndValues) {
    MonitorBench bench;
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    const auto sent = bench.recorder.frames();
    ASSERT_GT(sent.size(), 10u);
    ASSERT_EQ(bench.rows(), static_cast<int>(2 * sent.size()));  // every request got its reply

    // Each request in the order it went out, its reply right after it.
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const int request = static_cast<int>(2 * i);
        EXPECT_EQ(bench.cell(request, Direction), "->") << request;
        EXPECT_EQ(bench.cell(request, Address), "16") << request;
        EXPECT_EQ(bench.cell(request + 1, Direction), "<-") << request;
        EXPECT_EQ(bench.cell(request + 1, Outcome), "ok") << request;
        EXPECT_EQ(hash_name(bench.cell(request, Name).section(':', 0, 0).toStdString()), sent[i].hash) << request;
        EXPECT_LE(bench.cell(request, Time).toDouble(), bench.cell(request + 1, Time).toDouble()) << request;
    }

    // The module's address and its line speed with their decoded values.
    int addr = -1, baud = -1;
    for (int row = 0; row < bench.rows(); ++row) {
        if (bench.cell(row, Name) == "Addr" && addr < 0) addr = row;
        if (bench.cell(row, Name) == "bPS" && baud < 0) baud = row;
    }
    ASSERT_GE(addr, 0);
    ASSERT_GE(baud, 0);
    EXPECT_EQ(bench.described(addr), "-> | 16 | Addr | read |  |  | ");
    EXPECT_EQ(bench.described(addr + 1), "<- | 16 | Addr | reply | 00 10 | 16 | ok");
    EXPECT_EQ(bench.described(baud + 1), "<- | 16 | bPS | reply | 02 | 9600 | ok");
    EXPECT_EQ(QString::fromStdString(bench.named("bPS").valueText), "9600");
}

TEST(TrafficMonitor, PausedItTakesNoFramesAndHiddenItLeavesTheLinkAlone) {
    MonitorBench bench;
    ASSERT_TRUE(bench.readAddr());
    ASSERT_EQ(bench.rows(), 2);

    bench.monitor.pauseButton().click();
    ASSERT_TRUE(bench.readAddr());
    EXPECT_EQ(bench.rows(), 2);

    bench.monitor.pauseButton().click();
    ASSERT_TRUE(bench.readAddr());
    EXPECT_EQ(bench.rows(), 4);

    bench.monitor.hide();
    ASSERT_TRUE(bench.readAddr());
    EXPECT_EQ(bench.rows(), 4);
    EXPECT_EQ(bench.recorder.sent.size(), 4u);  // the reads went out all the same

    bench.monitor.show();
    ASSERT_TRUE(bench.readAddr());
    EXPECT_EQ(bench.rows(), 6);
}

TEST(TrafficMonitor, FilterCopyAndSaveAsText) {
    MonitorBench bench;
    ASSERT_TRUE(bench.readAddr());
    ASSERT_TRUE(bench.doc.ReadParameterTask(bench.named("bPS")));
    ASSERT_TRUE(bench.readAddr());
    ASSERT_EQ(bench.rows(), 6);

    bench.monitor.filterLine().setText("bps");  // letter case ignored
    ASSERT_EQ(bench.rows(), 2);
    EXPECT_EQ(bench.cell(0, Name), "bPS");
    EXPECT_EQ(bench.cell(1, Value), "9600");

    bench.monitor.filterLine().setText("Addr");
    ASSERT_EQ(bench.rows(), 4);
    // Nothing selected: "copy" takes every row shown, one line each.
    bench.monitor.copySelected();
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(copied.size(), 5);  // the last line ends in a line end too
    EXPECT_TRUE(copied[0].endsWith(" ms  ->    16  Addr        read")) << copied[0].toStdString();
    EXPECT_TRUE(copied[1].endsWith(" ms  <-    16  Addr        reply  00 10  = 16  ok")) << copied[1].toStdString();
    EXPECT_EQ(copied[4], "");

    bench.monitor.table().selectRow(3);
    bench.monitor.copySelected();
    EXPECT_EQ(QApplication::clipboard()->text(), copied[3] + "\n");

    const std::string path = test::temporaryPath("traffic.txt");
    ASSERT_TRUE(bench.monitor.saveText(QString::fromStdString(path)));
    std::string saved, reason;
    ASSERT_TRUE(readFile(path, saved, reason)) << reason;
    EXPECT_EQ(QString::fromStdString(saved), copied.join('\n'));
    std::remove(path.c_str());

    EXPECT_FALSE(bench.monitor.saveText("/nonexistent-folder/traffic.txt"));
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_NE(bench.ui.messages[0].text.find("/nonexistent-folder/traffic.txt"), std::string::npos);
}

TEST(TrafficMonitor, ShowsTimeOutsAndPicture) {
    MonitorBench bench;
    ASSERT_TRUE(bench.doc.ReadAll(TreeScope::WholeTree));
    bench.rows();
    const int before = bench.rows();
    test::DeadLine silent;  // the module stops answering
    bench.doc.device().attachLine(&silent, &silent);
    silent.Open();
    bench.readAddr();
    const int rows = bench.rows();
    ASSERT_EQ(rows, before + 4);  // the request goes out twice
    EXPECT_EQ(bench.described(rows - 2), "-> | 16 | Addr | read |  |  | ");
    EXPECT_EQ(bench.described(rows - 1), "<- |  |  |  |  |  | Time-out error");

    QDir().mkpath("/tmp/shots");
    bench.monitor.table().scrollToBottom();
    EXPECT_TRUE(bench.monitor.grab().save("/tmp/shots/traffic_monitor.png"));
}

}  // namespace
}  // namespace vantor
