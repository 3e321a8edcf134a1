// The module exchanges the parameter view starts besides "Read when open": the instant
// write after an edit, the write of a value typed into a sampled row and the sensor type
// a sampled row is named after. None of them
// runs on the window's thread, and the row shows the same outcome as before.

#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <mutex>

#include "link/sio.h"
#include "protocol/name_hash.h"
#include "sim/state_values.h"
#include "support/document_bench.h"
#include "support/thread_noting_line.h"
#include "text/texts.h"
#include "view/link_jobs.h"
#include "view/parameter_tree_model.h"
#include "view/parameter_view.h"
#include "view/sampled_rows.h"

namespace vantor {
namespace {

using gui::ParameterTreeModel;
using gui::RowNode;

constexpr int kKq20 = 18;  // pH or redox, as its sensor type says

struct ExchangeBench : test::DocumentBench {
    explicit ExchangeBench(int model = test::kKq16) : DocumentBench(model) {
        if (!doc.OnNewDocument()) throw std::runtime_error("no document");
        doc.device().attachLine(&notingLine, &notingLine);
        view.fill();
    }
    bool jobsDone() {
        return QTest::qWaitFor([this] { return view.linkJobs().idle(); }, 20000);
    }
    // The sampled row of the scanners branch named `name`.
    const RowNode& sampled(const std::string& name) {
        const RowNode* found = nullptr;
        std::function<void(const RowNode&)> walk = [&](const RowNode& node) {
            if (!found && node.sampledParameter && node.parameter()->name == name) found = &node;
            for (const auto& child : node.children) walk(*child);
        };
        walk(*view.rows().scannersRow());
        if (!found) throw std::runtime_error("no sampled " + name);
        return *found;
    }
    QModelIndex at(const RowNode* row, int column = 0) { return view.rows().indexOf(row, column); }
    QModelIndex at(const Parameter& parameter, int column = 0) { return at(view.rows().rowOf(&parameter), column); }

    test::ThreadNotingLine notingLine{recorder};
    gui::ParameterView view{doc, ui};
};

TEST(WindowExchanges, AnInstantWriteRunsOffTheWindowsThreadAndShowsItsOutcome) {
    struct Case {
        const char* name;
        bool moduleAnswers;
        const char* errorShown;  // key of the error column's text and of the message; empty: none
    };
    const Case cases[] = {
        {"written", true, ""},
        {"no answer", false, "IDS_NOCARRIER"},
    };
    for (const Case& c : cases) {
        ExchangeBench bench;
        bench.ui.switches[OptionSwitch::InstantRecording] = true;
        if (!c.moduleAnswers) bench.line.adapterNeeded = kAdapterZk7;  // the module no longer hears
        Parameter& delay = bench.named("Rs.dL");

        ASSERT_TRUE(bench.view.rows().setData(bench.at(delay, ParameterTreeModel::Value), "26")) << c.name;
        ASSERT_TRUE(bench.jobsDone()) << c.name;
        EXPECT_GT(bench.notingLine.exchanges(), 0) << c.name;
        EXPECT_EQ(bench.notingLine.onWindowThread(), 0) << c.name;

        const std::string error = *c.errorShown ? Text(c.errorShown) : "";
        EXPECT_EQ(bench.at(delay, ParameterTreeModel::Value).data().toString(), "26") << c.name;
        EXPECT_EQ(bench.at(delay, ParameterTreeModel::Error).data().toString().toStdString(), error) << c.name;
        EXPECT_EQ(bench.module.parameters().find("Rs.dL")->value == Bytes{26}, c.moduleAnswers) << c.name;
        if (c.moduleAnswers) {
            EXPECT_TRUE(bench.ui.messages.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(bench.ui.messages.size(), 1u) << c.name;
        EXPECT_EQ(bench.ui.messages[0].text, error);
        EXPECT_EQ(bench.ui.messages[0].caption, Text("IDS_STRING259"));
        EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Error);
    }
}

TEST(WindowExchanges, AValueTypedIntoASampledRowIsWrittenOffTheWindowsThread) {
    ExchangeBench bench;
    bench.doc.device().StopThreads();  // no reading comes between
    const RowNode& signal = bench.sampled("Rd.fV");
    const std::size_t writesBefore = bench.recorder.framesWithHash(hash_name("Rd.fV"));

    ASSERT_TRUE(bench.view.rows().setData(bench.at(&signal, ParameterTreeModel::Value), "2.5"));
    ASSERT_TRUE(bench.jobsDone());
    EXPECT_EQ(bench.recorder.framesWithHash(hash_name("Rd.fV")), writesBefore + 1);
    EXPECT_EQ(bench.notingLine.onWindowThread(), 0);
    // The row shows what the write left: the value, and the module's refusal if any.
    const Parameter& parameter = *signal.parameter();
    EXPECT_EQ(bench.at(&signal, ParameterTreeModel::Value).data().toString().toStdString(), parameter.valueText);
    EXPECT_EQ(bench.at(&signal, ParameterTreeModel::Error).data().toString().toStdString(), parameter.errorText);
    EXPECT_EQ(bench.ui.messages.size(), parameter.errorText.empty() ? 0u : 1u);
}

TEST(WindowExchanges, TheSensorTypeThatNamesAMeasurementIsReadOffTheWindowsThread) {
    ExchangeBench bench(kKq20);
    bench.doc.device().StopThreads();  // the test hands the readings itself
    {
        std::lock_guard line(bench.doc.device().frameLock());
        sim::ModuleParameter& sensorType = *bench.module.parameters().find("sen.t");
        sensorType.value = sim::encodeNumber(sensorType, 1);  // redox
    }
    const RowNode* measured = &bench.sampled("Rd.Rs");

    bench.view.sampledRows().sink()({measured->parameter(), 0, "120.5", ""});
    ASSERT_TRUE(QTest::qWaitFor([&] { return bench.at(measured, 2).data().toString() == "120.5"; }, 20000));
    ASSERT_TRUE(bench.jobsDone());
    EXPECT_GT(bench.notingLine.exchanges(), 0);
    EXPECT_EQ(bench.notingLine.onWindowThread(), 0);
    EXPECT_EQ(bench.at(measured).data().toString().toStdString(), Text("IDS_STRING502"));
}

}  // namespace
}  // namespace vantor
