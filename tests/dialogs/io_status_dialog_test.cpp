#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <condition_variable>
#include <mutex>

#include "dialog_bench.h"
#include "dialogs/io_indicator.h"
#include "dialogs/io_indicator_layout.h"
#include "dialogs/io_status_dialog.h"
#include "dialogs/io_table_model.h"
#include "protocol/name_hash.h"
#include "sim/state_values.h"
#include "support/document_bench.h"
#include "support/thread_noting_line.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::IndicatorLook;
using gui::IndicatorPlacement;
using gui::IoIndicator;
using gui::IoStatusDialog;
using gui::IoTableModel;
using test::eventually;

constexpr int kKq04 = 3;   // four counted inputs, four relay outputs
constexpr int kKq06 = 5;   // eight relay outputs, no inputs
constexpr int kKq12 = 11;  // paired inputs; its own message for a refused output

TEST(IoIndicatorLayout, NumbersRowByRowAtMostEightToALine) {
    const IndicatorRect first{14, 22, 30, 40};
    // Eight rows: four columns, two lines, 1-4 above 5-8.
    const auto eight = gui::layoutIndicators(8, first, 39, 25);
    ASSERT_EQ(eight.size(), 8u);
    EXPECT_EQ(eight[3], (IndicatorPlacement{3, 3, 0, {131, 22, 147, 40}}));
    EXPECT_EQ(eight[4], (IndicatorPlacement{4, 0, 1, {14, 47, 30, 65}}));
    EXPECT_EQ(eight[7], (IndicatorPlacement{7, 3, 1, {131, 47, 147, 65}}));

    // Five rows: two columns, two lines; row 5 has no indicator.
    const auto five = gui::layoutIndicators(5, first, 39, 25);
    ASSERT_EQ(five.size(), 4u);
    EXPECT_EQ(five[1], (IndicatorPlacement{1, 1, 0, {53, 22, 69, 40}}));
    EXPECT_EQ(five[2], (IndicatorPlacement{2, 0, 1, {14, 47, 30, 65}}));

    // Forty rows: eight columns, five lines; one row: nothing to divide.
    const auto forty = gui::layoutIndicators(40, first, 18, 14);
    ASSERT_EQ(forty.size(), 40u);
    EXPECT_EQ(forty[9], (IndicatorPlacement{9, 1, 1, {32, 36, 48, 54}}));
    EXPECT_TRUE(gui::layoutIndicators(1, first, 39, 25).empty());
}

TEST(IoIndicator, LightsAfterItsStateText) {
    struct Case {
        const char* state;
        IndicatorLook input;
        IndicatorLook output;
    };
    const Case cases[] = {
        {"1", IndicatorLook::Lit, IndicatorLook::Lit},          {"1.0", IndicatorLook::Dark, IndicatorLook::Lit},
        {" 1", IndicatorLook::Dark, IndicatorLook::Dark},  // no number for an output either
        {"0.5", IndicatorLook::Dark, IndicatorLook::PartlyLit}, {"0.0004", IndicatorLook::Dark, IndicatorLook::Dark},
        {"0", IndicatorLook::Dark, IndicatorLook::Dark},        {"", IndicatorLook::Dark, IndicatorLook::Dark},
        {"on", IndicatorLook::Dark, IndicatorLook::Dark},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gui::inputIndicatorLook(c.state), c.input) << c.state;
        EXPECT_EQ(gui::outputIndicatorLook(c.state), c.output) << c.state;
    }
}

struct IoBench {
    explicit IoBench(int model) : bench(model) {
        EXPECT_TRUE(bench.doc.OnNewDocument());
        bench.doc.device().attachLine(&line, &line);
    }
    // No exchange of the dialog, polling or writing, runs on the window's thread.
    int exchangesOnWindowThread() const { return line.onWindowThread(); }

    // The module's memory is the worker's while it polls: set and read under the frame lock.
    std::unique_lock<std::recursive_mutex> holdLine() { return std::unique_lock(bench.doc.device().frameLock()); }
    sim::ModuleParameter& moduleState(const char* name, int offset) {
        auto* found = bench.module.parameters().find(name, std::nullopt, offset);
        if (!found) throw std::runtime_error(std::string("no module parameter ") + name);
        return *found;
    }
    // A fixed value in the module (called under holdLine).
    void setState(const char* name, int offset, double value) {
        sim::ModuleParameter& state = moduleState(name, offset);
        state.changesOverTime = false;
        state.value = sim::encodeNumber(state, value);
    }
    std::vector<ReceivedFrame> framesSent() {
        auto lock = holdLine();
        return bench.recorder.frames();
    }

    test::DocumentBench bench;
    test::ThreadNotingLine line{bench.recorder};
};

QTableView& table(const IoStatusDialog& dialog, const char* name) {
    auto* view = dialog.findChild<QTableView*>(name);
    if (!view) throw std::runtime_error(std::string("no table ") + name);
    return *view;
}
IoTableModel& model(const IoStatusDialog& dialog, const char* name) {
    return *qobject_cast<IoTableModel*>(table(dialog, name).model());
}
IoIndicator& indicator(const IoStatusDialog& dialog, const QString& name) {
    auto* found = dialog.findChild<IoIndicator*>(name);
    if (!found) throw std::runtime_error("no indicator " + name.toStdString());
    return *found;
}
QString cell(const IoStatusDialog& dialog, const char* tableName, int row, int column = 0) {
    IoTableModel& m = model(dialog, tableName);
    return m.data(m.index(row, column), Qt::DisplayRole).toString();
}
bool closed(IoStatusDialog& dialog) {
    return eventually([&] { return !dialog.isVisible(); }) && dialog.pollingEnded();
}

TEST(IoStatusDialog, ShowsBothSidesOfTheKq04AndLightsWhatThePollingReads) {
    IoBench io(kKq04);
    {
        auto line = io.holdLine();
        io.setState("r.cn", 0, 5);  // inputs 1 and 3 on
        io.setState("r.oe", 0, 1);
        io.setState("r.oe", 1, 0.5);
    }
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    // Four rows a side: two columns, two lines.
    EXPECT_EQ(dialog.findChildren<IoIndicator*>().size(), 8);
    const QRect one = indicator(dialog, "inputIndicator1").geometry();
    EXPECT_GT(indicator(dialog, "inputIndicator2").geometry().left(), one.left());
    EXPECT_EQ(indicator(dialog, "inputIndicator3").geometry().left(), one.left());
    EXPECT_GT(indicator(dialog, "inputIndicator3").geometry().top(), one.top());

    ASSERT_TRUE(eventually([&] { return indicator(dialog, "inputIndicator3").look() == IndicatorLook::Lit; }));
    EXPECT_EQ(indicator(dialog, "inputIndicator1").look(), IndicatorLook::Lit);
    EXPECT_EQ(indicator(dialog, "inputIndicator2").look(), IndicatorLook::Dark);
    ASSERT_TRUE(eventually([&] { return indicator(dialog, "outputIndicator2").look() == IndicatorLook::PartlyLit; }));
    EXPECT_EQ(indicator(dialog, "outputIndicator1").look(), IndicatorLook::Lit);
    EXPECT_EQ(indicator(dialog, "outputIndicator3").look(), IndicatorLook::Dark);
    test::saveShot(dialog, "io_status");
    dialog.reject();
    ASSERT_TRUE(closed(dialog));
}

TEST(IoStatusDialog, AnOutputsOnlyModelShowsOneSideAtTheLeftPolledRowAfterRow) {
    IoBench io(kKq06);
    {
        auto line = io.holdLine();
        for (int output = 0; output < 8; ++output) io.setState("r.oe", output, output % 2);
    }
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    EXPECT_EQ(dialog.findChild<QWidget*>("inputsSide"), nullptr);
    auto* outputs = dialog.findChild<QWidget*>("outputsSide");
    ASSERT_NE(outputs, nullptr);
    EXPECT_LT(outputs->x(), outputs->width());
    EXPECT_LT(dialog.width(), 2 * outputs->width());
    // Eight outputs: four columns, two lines.
    EXPECT_EQ(dialog.findChildren<IoIndicator*>().size(), 8);
    EXPECT_EQ(indicator(dialog, "outputIndicator5").geometry().left(),
              indicator(dialog, "outputIndicator1").geometry().left());
    EXPECT_EQ(indicator(dialog, "outputIndicator4").geometry().top(),
              indicator(dialog, "outputIndicator1").geometry().top());

    ASSERT_TRUE(eventually([&] { return indicator(dialog, "outputIndicator8").look() == IndicatorLook::Lit; }));
    for (int output = 0; output < 8; ++output) {
        EXPECT_EQ(cell(dialog, "outputsTable", output), output % 2 ? "1.000" : "0.000") << output;
        EXPECT_EQ(indicator(dialog, QString("outputIndicator%1").arg(output + 1)).look(),
                  output % 2 ? IndicatorLook::Lit : IndicatorLook::Dark);
    }
    test::saveShot(dialog, "io_status_outputs_only");
    dialog.reject();
    ASSERT_TRUE(closed(dialog));
}

TEST(IoStatusDialog, ResetSendsTheCounterZero) {
    IoBench io(kKq04);
    {
        auto line = io.holdLine();
        io.setState("r.Cou", 1, 42);
    }
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    ASSERT_TRUE(eventually([&] { return cell(dialog, "inputsTable", 1) == "42"; }));
    QTableView& view = table(dialog, "inputsTable");
    auto* reset = qobject_cast<QPushButton*>(view.indexWidget(view.model()->index(1, 2)));
    ASSERT_NE(reset, nullptr);
    EXPECT_EQ(reset->text().toStdString(), Text("IDS_STRING300"));
    reset->click();
    ASSERT_TRUE(eventually([&] { return !dialog.writing(); }));
    EXPECT_EQ(io.exchangesOnWindowThread(), 0);

    std::vector<ReceivedFrame> writes;
    for (const ReceivedFrame& frame : io.framesSent())
        if (!frame.requestBit()) writes.push_back(frame);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].hash, hash_name("r.Cou"));
    EXPECT_EQ(writes[0].address(8), 17);  // the second counter answers at address + 1
    EXPECT_EQ(writes[0].data, (Bytes{0x00}));
    {
        auto line = io.holdLine();
        EXPECT_EQ(io.moduleState("r.Cou", 1).value, (Bytes{0x00}));
    }
    EXPECT_TRUE(io.bench.ui.messages.empty());
    ASSERT_TRUE(eventually([&] { return cell(dialog, "inputsTable", 1) == "0"; }));
    dialog.reject();
    ASSERT_TRUE(closed(dialog));
}

// The zero handed to the worker before the dialog was closed still reaches the module.
TEST(IoStatusDialog, ClosingRightAfterAResetWaitsForItsWrite) {
    IoBench io(kKq04);
    {
        auto line = io.holdLine();
        io.setState("r.Cou", 1, 42);
    }
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    ASSERT_TRUE(eventually([&] { return cell(dialog, "inputsTable", 1) == "42"; }));
    QTableView& view = table(dialog, "inputsTable");
    auto* reset = qobject_cast<QPushButton*>(view.indexWidget(view.model()->index(1, 2)));
    ASSERT_NE(reset, nullptr);
    reset->click();
    dialog.reject();
    ASSERT_TRUE(closed(dialog));
    EXPECT_FALSE(dialog.writing());
    auto line = io.holdLine();
    EXPECT_EQ(io.moduleState("r.Cou", 1).value, (Bytes{0x00}));
}

// Types `text` into the value cell of output `row`, commits it with Enter and waits
// until the dialog has the write's outcome.
void editOutput(IoStatusDialog& dialog, int row, const QString& text) {
    QTableView& view = table(dialog, "outputsTable");
    const QModelIndex at = view.model()->index(row, 0);
    view.setCurrentIndex(at);
    view.edit(at);
    auto* editor = view.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(text);
    const QPointer<QLineEdit> open(editor);
    QTest::keyClick(editor, Qt::Key_Return);  // commits on the next turn of the event loop
    ASSERT_TRUE(eventually([&] { return !open || !open->isVisible(); }));
    ASSERT_TRUE(eventually([&] { return !dialog.writing(); }));
}

TEST(IoStatusDialog, AnEditedOutputIsWrittenAtOnce) {
    IoBench io(kKq04);
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    editOutput(dialog, 2, "1");
    {
        auto line = io.holdLine();
        sim::ModuleParameter& output = io.moduleState("r.oe", 2);
        EXPECT_EQ(output.value, sim::encodeNumber(output, 1));
    }
    EXPECT_EQ(cell(dialog, "outputsTable", 2), "1.000");
    EXPECT_TRUE(io.bench.ui.messages.empty());
    EXPECT_EQ(io.exchangesOnWindowThread(), 0);
    ASSERT_TRUE(eventually([&] { return indicator(dialog, "outputIndicator3").look() == IndicatorLook::Lit; }));
    dialog.reject();
    ASSERT_TRUE(closed(dialog));
}

// An edit given up with Escape hands the row back to the polling.
TEST(IoStatusDialog, AnAbandonedEditLetsThePollingReadTheRowAgain) {
    IoBench io(kKq04);
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    QTableView& view = table(dialog, "outputsTable");
    const QModelIndex at = view.model()->index(1, 0);
    view.setCurrentIndex(at);
    view.edit(at);
    const QPointer<QLineEdit> editor(view.viewport()->findChild<QLineEdit*>());
    ASSERT_FALSE(editor.isNull());
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(eventually([&] { return !editor || !editor->isVisible(); }));
    {
        auto line = io.holdLine();
        io.setState("r.oe", 1, 1);
    }
    ASSERT_TRUE(eventually([&] { return cell(dialog, "outputsTable", 1) == "1.000"; }));
    EXPECT_TRUE(io.bench.ui.messages.empty());
    dialog.reject();
    ASSERT_TRUE(closed(dialog));
}

// A value the module refuses: the message names the parameter; the KQ-12 has its own.
TEST(IoStatusDialog, ARefusedOutputIsReportedAndTheCellKept) {
    struct Case {
        int model;
        const char* message;
    };
    // The module's range error, or the KQ-12's "could not be saved".
    for (const Case c : {Case{kKq04, "IDS_STRING230"}, Case{kKq12, "IDS_STRING193"}}) {
        IoBench io(c.model);
        IoStatusDialog dialog(io.bench.doc);
        dialog.show();
        const QString before = cell(dialog, "outputsTable", 0);
        editOutput(dialog, 0, "7");
        ASSERT_EQ(io.bench.ui.messages.size(), 1u) << c.model;
        const test::RecordedMessage& message = io.bench.ui.messages[0];
        EXPECT_EQ(message.caption, Text("IDS_STRING149") + " \"r.oe\"");
        EXPECT_EQ(message.text, Text(c.message)) << c.model;
        EXPECT_EQ(message.icon, MessageIcon::Warning);
        EXPECT_EQ(cell(dialog, "outputsTable", 0), before);
        EXPECT_EQ(io.exchangesOnWindowThread(), 0) << c.model;
        dialog.reject();
        ASSERT_TRUE(closed(dialog));
    }
}

// Keeps every answer of the module back until opened; counts the requests held.
class AnswerGate {
public:
    ~AnswerGate() { open(); }
    void open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        changed_.notify_all();
    }
    int held() {
        std::lock_guard lock(mutex_);
        return held_;
    }
    std::unique_ptr<sim::ModuleHooks> hooks() { return std::make_unique<Hooks>(*this); }

private:
    struct Hooks : sim::ModuleHooks {
        explicit Hooks(AnswerGate& owner) : gate(owner) {}
        std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest&, sim::ParameterTable&,
                                                  std::int64_t) override {
            std::unique_lock lock(gate.mutex_);
            ++gate.held_;
            gate.changed_.wait(lock, [this] { return gate.open_; });
            return std::nullopt;
        }
        AnswerGate& gate;
    };

    std::mutex mutex_;
    std::condition_variable changed_;
    bool open_ = false;
    int held_ = 0;
};

TEST(IoStatusDialog, ClosingDuringASlowReadWaitsForThatRead) {
    IoBench io(kKq04);
    {
        auto line = io.holdLine();
        io.setState("r.Cou", 0, 7);
    }
    AnswerGate gate;
    io.bench.module.setHooks(gate.hooks());
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    ASSERT_TRUE(eventually([&] { return gate.held() == 1; }));  // the first counter's read hangs
    dialog.reject();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.pollingEnded());

    gate.open();
    ASSERT_TRUE(closed(dialog));
    EXPECT_EQ(cell(dialog, "inputsTable", 0), "7");  // the read was finished, not dropped
    // That tick ran to its end (the counter, then the input states) and no other began.
    std::vector<std::uint16_t> hashes;
    for (const ReceivedFrame& frame : io.framesSent()) hashes.push_back(frame.hash);
    EXPECT_EQ(hashes, (std::vector<std::uint16_t>{hash_name("r.Cou"), hash_name("r.cn")}));
}

TEST(IoStatusDialog, AModuleThatStopsAnsweringLeavesTheDialogUsable) {
    IoBench io(kKq04);
    {
        auto line = io.holdLine();
        io.setState("r.Cou", 0, 3);
    }
    IoStatusDialog dialog(io.bench.doc);
    dialog.show();
    ASSERT_TRUE(eventually([&] { return cell(dialog, "inputsTable", 0) == "3"; }));

    // The module moves to 19200 Bd; the link stays at 9600 and hears nothing more.
    Parameter& rate = *io.bench.doc.networkBranch()->FindParameter("bPS");
    ASSERT_TRUE(rate.SetValue("19200"));
    ASSERT_EQ(io.bench.doc.device().WriteParameter(rate, 1), 0);
    ASSERT_TRUE(io.bench.doc.SendApply(false));

    const QString noAnswer = QString::fromStdString(Text("IDS_NOCARRIER"));
    ASSERT_TRUE(eventually([&] { return cell(dialog, "inputsTable", 0) == noAnswer; }));
    EXPECT_EQ(indicator(dialog, "outputIndicator1").look(), IndicatorLook::Dark);
    editOutput(dialog, 0, "1");
    ASSERT_EQ(io.bench.ui.messages.size(), 1u);
    EXPECT_EQ(io.bench.ui.messages[0].text, Text("IDS_NOCARRIER"));
    dialog.reject();
    ASSERT_TRUE(closed(dialog));
}

}  // namespace
}  // namespace vantor
