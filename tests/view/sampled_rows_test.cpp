// The sampled rows: decoding, the check box, the period, and values from the
// sampling thread.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "support/document_bench.h"
#include "text/texts.h"
#include "view/parameter_tree_model.h"
#include "view/parameter_view.h"
#include "view/sample_decoding.h"
#include "view/sampled_rows.h"
#include "view/value_refusal.h"

namespace vantor {
namespace {

using gui::DecodeSample;
using gui::ParameterTreeModel;
using gui::RowNode;

TEST(SampleDecoding, SwitchesStatusAndMeasurementCodes) {
    const auto status = [](int bit, std::uint32_t value) {
        return "bit" + std::to_string(bit) + "=" + std::to_string((value >> bit) & 1);
    };
    struct Case {
        const char* name;
        const char* value;
        std::size_t rows;
        std::string shown;
        std::vector<std::string> below;
    };
    const Case cases[] = {
        {"r.cn", "5", 5, "5", {"ON", "OFF", "ON", "OFF", "OFF"}},
        {"S.dO", "0x2", 2, "0x2", {"OFF", "ON"}},
        {"stat", "10", 2, "0x0a", {"bit0=0", "bit1=1"}},
        {"Rd.St", "012", 0, "0x0a", {}},  // octal, as "%i" reads it
        {"srd", "253", 0, "Sensor break", {}},
        {"srd", "0", 0, "Measuring successful", {}},
        {"srd", "7", 0, "Response cannot be translated", {}},
        {"srd", "", 0, "", {}},  // a failed reading
        {"r.cn", "on", 2, "on", {}},
        {"Rd.fV", "12.5", 0, "12.5", {}},
    };
    for (const Case& c : cases) {
        const gui::DecodedSample decoded = DecodeSample(c.name, c.value, c.rows, status);
        EXPECT_EQ(decoded.value, c.shown) << c.name << " " << c.value;
        EXPECT_EQ(decoded.rowValues, c.below) << c.name << " " << c.value;
    }
}

TEST(ValueRefusal, LimitsLoseTrailingZeros) {
    using gui::LimitText;
    using gui::RefusalSource;
    EXPECT_EQ(LimitText(100, RefusalSource::TreeRow), "100");
    EXPECT_EQ(LimitText(0.5, RefusalSource::TreeRow), "0.5");
    EXPECT_EQ(LimitText(-300, RefusalSource::TreeRow), "-300");
    EXPECT_EQ(LimitText(0.5, RefusalSource::SampledRow), "0");
    EXPECT_EQ(LimitText(99999, RefusalSource::SampledRow), "99999");
}

struct SampledBench : test::DocumentBench {
    SampledBench() {
        if (!doc.OnNewDocument()) throw std::runtime_error("no document");
        view.fill();
    }
    ParameterTreeModel& rows() { return view.rows(); }
    // The first sampled row of the scanners branch named `name`.
    RowNode& sampled(const std::string& name) {
        RowNode* found = nullptr;
        std::function<void(RowNode&)> walk = [&](RowNode& node) {
            if (!found && node.sampledParameter && node.parameter()->name == name) found = &node;
            for (auto& child : node.children) walk(*child);
        };
        walk(*rows().scannersRow());
        if (!found) throw std::runtime_error("no sampled " + name);
        return *found;
    }
    QModelIndex at(const RowNode& row, int column = 0) { return rows().indexOf(&row, column); }

    gui::ParameterView view{doc, ui};
};

TEST(SampledRows, HeaderRowCheckBoxesAndPeriods) {
    SampledBench bench;
    const RowNode& scanners = *bench.rows().scannersRow();
    const QModelIndex header = bench.at(*scanners.children.front());
    EXPECT_EQ(header.data().toString(), "Parameter");
    EXPECT_EQ(header.siblingAtColumn(1).data().toString(), "Period");
    EXPECT_EQ(header.siblingAtColumn(2).data().toString(), "Value");
    EXPECT_EQ(header.siblingAtColumn(4).data().toString(), "Error / Discrepancy");
    EXPECT_TRUE(header.data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(header.flags() & Qt::ItemIsEditable);

    RowNode& status = bench.sampled("Rd.St");
    Parameter& parameter = *status.parameter();
    EXPECT_TRUE(bench.at(status).data(Qt::DecorationRole).isNull());
    EXPECT_EQ(bench.at(status, 1).data().toString(), QString::number(parameter.samplingPeriod));
    EXPECT_TRUE(bench.at(status, 1).flags() & Qt::ItemIsEditable);
    EXPECT_EQ(bench.at(status).data(Qt::CheckStateRole).value<Qt::CheckState>(),
              parameter.SamplingOn() ? Qt::Checked : Qt::Unchecked);

    // The minimum period.
    EXPECT_FALSE(bench.rows().setData(bench.at(status, 1), "99"));
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, "Sampling period (ms)\r\nMinimum value 100 ms");
    EXPECT_TRUE(bench.rows().setData(bench.at(status, 1), "100.7"));
    EXPECT_EQ(parameter.samplingPeriod, 100);
    EXPECT_EQ(bench.at(status, 1).data().toString(), "100.7");

    // In "Show indexes" mode the description carries name and address offset.
    bench.ui.switches[OptionSwitch::ShowIndexes] = true;
    EXPECT_EQ(bench.at(status).data().toString().toStdString(), parameter.SampledDescription());
}

TEST(SampledRows, TickedRowsShowTheSamplingThreadsValues) {
    SampledBench bench;
    RowNode& signal = bench.sampled("Rd.fV");
    Parameter& parameter = *signal.parameter();
    parameter.StopSampling();
    const QModelIndex value = bench.at(signal, 2);
    EXPECT_EQ(value.data().toString(), "");

    ASSERT_TRUE(bench.rows().setData(bench.at(signal), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(parameter.SamplingOn());
    QSignalSpy changes(&bench.rows(), &QAbstractItemModel::dataChanged);
    QTRY_VERIFY_WITH_TIMEOUT(!value.data().toString().isEmpty(), 10000);
    EXPECT_EQ(bench.at(signal, 4).data().toString(), "");
    EXPECT_FALSE(changes.isEmpty());

    // Cleared: no more readings, the last value stays.
    ASSERT_TRUE(bench.rows().setData(bench.at(signal), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_FALSE(parameter.SamplingOn());
    bench.doc.device().StopThreads();
    bench.view.sampledRows().drain();
    EXPECT_FALSE(value.data().toString().isEmpty());
}

TEST(SampledRows, AFailedReadingTurnsTheRowRedUntilTheNextGoodOne) {
    SampledBench bench;
    bench.doc.device().StopThreads();  // the test hands the readings itself
    RowNode& signal = bench.sampled("Rd.fV");
    gui::SampledRows& sampled = bench.view.sampledRows();
    const auto red = [&] { return bench.at(signal).data(Qt::ForegroundRole).value<QColor>() == QColor(255, 0, 0); };

    sampled.sink()({signal.parameter(), 0, "", "No answer"});
    sampled.sink()({nullptr, 0, "1", ""});  // no row: dropped
    QSignalSpy shown(&sampled, &gui::SampledRows::readingsShown);
    QVERIFY(shown.wait(5000));
    EXPECT_TRUE(red());
    EXPECT_EQ(bench.at(signal, 4).data().toString(), "No answer");

    sampled.sink()({signal.parameter(), 0, "1.5", ""});
    QTRY_COMPARE(bench.at(signal, 2).data().toString(), QString("1.5"));
    EXPECT_FALSE(red());
    EXPECT_EQ(bench.at(signal, 4).data().toString(), "");
}

}  // namespace
}  // namespace vantor
