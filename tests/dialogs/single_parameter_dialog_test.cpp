#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "description/description_values.h"
#include "dialog_bench.h"
#include "dialogs/single_parameter_dialog.h"
#include "dialogs/single_parameter_request.h"
#include "protocol/name_hash.h"
#include "support/document_bench.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::SingleParameterDialog;
using Lines = std::vector<std::string>;

constexpr int kKq13 = 12;

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }

// The dialog over a fresh KQ-13 document whose module answers at address 16.
struct SingleParameterBench {
    SingleParameterBench() {
        EXPECT_TRUE(documentMade);
        bench.recorder.sent.clear();
        dialog.show();
    }

    template <class Widget>
    Widget& child(const char* name) {
        auto* widget = dialog.findChild<Widget*>(name);
        if (!widget) throw std::runtime_error(std::string("no widget ") + name);
        return *widget;
    }
    QRadioButton& radio(const char* key) {
        for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
            if (button->text() == keyed(key)) return *button;
        throw std::runtime_error(std::string("no radio button ") + key);
    }

    void type(const QString& name) {
        QLineEdit& edit = *child<QComboBox>("name").lineEdit();
        edit.clear();
        QTest::keyClicks(&edit, name);
    }
    void chooseWrite(const QString& data) {
        radio("IDD_DIALOG_SINGLEPOINT_IDC_RADIO_WRITE").click();
        child<QComboBox>("writeData").setEditText(data);
    }
    void useIndex(const char* kindKey, int index) {
        dialog.findChild<QCheckBox*>()->click();
        radio(kindKey).click();
        child<QSpinBox>("index").setValue(index);
    }
    QString shown(const char* field) { return child<QLineEdit>(field).text(); }

    // Execute, and the report once the exchange has ended.
    Lines execute() {
        QSignalSpy finished(&dialog, &SingleParameterDialog::exchangeFinished);
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            if (button->text() == keyed("IDD_DIALOG_SINGLEPOINT_IDC_BUTTON_SENDANDRECEIVE")) button->click();
        EXPECT_TRUE(test::eventually([&] { return finished.count() == 1; }));
        return report();
    }
    Lines report() {
        Lines lines;
        QListWidget& list = child<QListWidget>("report");
        for (int row = 0; row < list.count(); ++row) lines.push_back(list.item(row)->text().toStdString());
        return lines;
    }

    test::DocumentBench bench{kKq13};
    const bool documentMade = bench.doc.OnNewDocument();  // the dialog takes the names it finds
    SingleParameterDialog dialog{bench.doc};
};

TEST(SingleParameterDialog, ShowsTheHashTypeAndDescriptionAsTheNameIsTyped) {
    SingleParameterBench s;
    EXPECT_EQ(s.child<QComboBox>("name").currentText(), "!vEr");
    EXPECT_EQ(s.shown("details"), "Firmware version (string)");

    struct Case {
        const char* typed;
        const char* hash;
        const char* details;
    };
    const Case cases[] = {
        {"Addr", "0x9F62", "Address (int)"},
        {"aDDr", "0x9F62", "Address (int)"},  // names are matched ignoring case
        {"0x9F62", "0x9F62", "Address (int)"},
        {"0x9f62", "0x9F62", "Address (int)"},
        {"Nope", "", "<unknown parameter> (<not described>)"},
    };
    for (const Case& c : cases) {
        s.type(c.typed);
        const std::string hash = *c.hash ? c.hash : FormatTextArgs("0x%X", unsigned{hash_name(c.typed)});
        EXPECT_EQ(s.shown("hash").toStdString(), hash) << c.typed;
        EXPECT_EQ(s.shown("details"), c.details) << c.typed;
    }
}

TEST(SingleParameterDialog, ReadReportsTheFrameBytesAndTheValue) {
    SingleParameterBench s;
    s.type("Addr");
    EXPECT_EQ(s.execute(), (Lines{"Addr (int)", "0 data bytes in request frame", "<< response: # 0 : 000 = 0x00 (.)",
                                  "<< response: # 1 : 016 = 0x10 (.)", "2 data bytes in response",
                                  "No error. String notation answer:", "16"}));
    ASSERT_EQ(s.bench.recorder.frames().size(), 1u);
    EXPECT_EQ(s.bench.recorder.frames().front().hash, 0x9F62);
    EXPECT_TRUE(s.bench.recorder.frames().front().requestBit());
    EXPECT_EQ(s.child<QListWidget>("report").currentRow(), 6);  // the last line is in view
    test::saveShot(s.dialog, "single_parameter");
}

TEST(SingleParameterDialog, AHashCodeAddressesTheParameterItBelongsTo) {
    SingleParameterBench s;
    s.type("0x9F62");
    const Lines report = s.execute();
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(report.front(), "Addr (int)");
    EXPECT_EQ(report.back(), "16");
}

TEST(SingleParameterDialog, WriteSendsTheChosenValueAndReportsWhatTheModuleReturned) {
    SingleParameterBench s;
    s.type("Ao.t");
    QComboBox& data = s.child<QComboBox>("writeData");
    EXPECT_FALSE(data.isVisible());
    s.chooseWrite("0-20 mA");
    EXPECT_TRUE(data.isVisible());
    ASSERT_EQ(data.count(), 4);
    EXPECT_EQ(data.itemText(1), "4-20 mA");

    const Lines report = s.execute();
    ASSERT_GE(report.size(), 3u);
    EXPECT_EQ(report[0], "Ao.t (off:4-20 mA:0-20 mA:0-5 mA)");
    EXPECT_EQ(report[1], "1 data bytes in request frame");
    EXPECT_EQ(report[2], ">> request: # 0 : 002 = 0x02 (.)");
    EXPECT_EQ(report.back(), "Record is done. No error. Value returned: '0-20 mA'");
    ASSERT_EQ(s.bench.recorder.frames().size(), 1u);
    EXPECT_FALSE(s.bench.recorder.frames().front().requestBit());
    EXPECT_EQ(s.bench.recorder.frames().front().data, (std::vector<std::uint8_t>{0x02}));
    test::saveShot(s.dialog, "single_parameter_write");
}

TEST(SingleParameterDialog, AWriteThatCannotBeEncodedSendsNothing) {
    SingleParameterBench s;
    s.type("Addr");
    s.chooseWrite("abc");
    EXPECT_EQ(s.execute(), (Lines{"Addr (int)", "Bad value (data encoding impossible)"}));
    EXPECT_TRUE(s.bench.recorder.sent.empty());
}

TEST(SingleParameterDialog, AnUnknownNameIsToldAndNothingIsSent) {
    SingleParameterBench s;
    s.type("Nope");
    for (QPushButton* button : s.dialog.findChildren<QPushButton*>())
        if (button->text() == keyed("IDD_DIALOG_SINGLEPOINT_IDC_BUTTON_SENDANDRECEIVE")) button->click();
    ASSERT_EQ(s.bench.ui.messages.size(), 1u);
    EXPECT_EQ(s.bench.ui.messages[0].text, "Parameter Nope not described!");
    EXPECT_EQ(s.bench.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(s.bench.recorder.sent.empty());
    EXPECT_TRUE(s.report().empty());
    EXPECT_TRUE(s.dialog.isVisible());
}

TEST(SingleParameterDialog, ADataIndexTravelsAfterTheData) {
    SingleParameterBench s;
    s.type("Addr");
    s.useIndex("IDD_DIALOG_SINGLEPOINT_IDC_RADIO_INDEXDATA", 3);
    const Lines report = s.execute();
    ASSERT_GE(report.size(), 5u);
    EXPECT_EQ((Lines(report.begin(), report.begin() + 5)),
              (Lines{"Use data index", "Addr (int)", "2 data bytes in request frame",
                     ">> request: # 0 : 000 = 0x00 (.)", ">> request: # 1 : 003 = 0x03 (.)"}));
    ASSERT_EQ(s.bench.recorder.frames().size(), 1u);
    EXPECT_EQ(s.bench.recorder.frames().front().data, (std::vector<std::uint8_t>{0x00, 0x03}));
}

TEST(SingleParameterDialog, AnAddressIndexAboveSevenIsWarnedOfAndAddedToTheAddress) {
    SingleParameterBench s;
    s.type("Addr");
    s.useIndex("IDD_DIALOG_SINGLEPOINT_IDC_RADIO_INDEXADDR", 9);
    const Lines report = s.execute();
    ASSERT_GE(report.size(), 4u);
    EXPECT_EQ((Lines(report.begin(), report.begin() + 4)),
              (Lines{"Use address index", "Warning: the address is increased by more than 7!", "Addr (int)",
                     "0 data bytes in request frame"}));
    // Nobody answers at 25: the failure ends the report.
    EXPECT_EQ(report.back(), Text("IDS_NOCARRIER"));
    ASSERT_FALSE(s.bench.recorder.frames().empty());
    EXPECT_EQ(s.bench.recorder.frames().front().address(8), 16 + 9);
}

TEST(SingleParameterDialog, TheReportIsCopiedAsText) {
    SingleParameterBench s;
    s.type("Addr");
    const Lines report = s.execute();
    QListWidget& list = s.child<QListWidget>("report");
    s.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s.dialog));
    list.setFocus();
    QTest::keySequence(&list, QKeySequence::Copy);
    std::string all;
    for (const std::string& line : report) all += (all.empty() ? "" : "\n") + line;
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), all);

    list.item(0)->setSelected(true);
    list.item(6)->setSelected(true);
    EXPECT_EQ(s.dialog.reportText(), "Addr (int)\n16");
}

TEST(SingleParameterDialog, ClosingWhileTheExchangeRunsWaitsForItsEnd) {
    SingleParameterBench s;
    s.type("Addr");
    QSignalSpy finished(&s.dialog, &SingleParameterDialog::exchangeFinished);
    for (QPushButton* button : s.dialog.findChildren<QPushButton*>())
        if (button->text() == keyed("IDD_DIALOG_SINGLEPOINT_IDC_BUTTON_SENDANDRECEIVE")) button->click();
    // The exchange's end reaches the dialog only through the event loop, not yet run.
    s.dialog.reject();
    EXPECT_TRUE(s.dialog.isVisible());
    ASSERT_TRUE(test::eventually([&] { return !s.dialog.isVisible(); }));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(s.dialog.result(), QDialog::Rejected);
}

TEST(SingleParameterSummary, OffersOnlyTheShownChoicesOfAnEnumeration) {
    std::vector<DescParameter> described;
    for (const auto& [name, type] : {std::pair{"In.t", "off:RTD_Pt100:<hide>reserved:4-20 mA"},
                                     {"FLt", "float:1"},
                                     {"t.Ms", "int"},
                                     {"!dev", "string"},
                                     {"Ofs", "sint16"}}) {
        described.emplace_back();
        described.back().name = name;
        described.back().typeDefinition = type;
    }
    struct Case {
        const char* typed;
        Lines choices;
    };
    const Case cases[] = {
        {"in.t", {"off", "RTD Pt100", "4-20 mA"}}, {"FLt", {}}, {"t.Ms", {}}, {"!dev", {}}, {"Ofs", {}}, {"none", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(summarizeParameter(described, c.typed).writeChoices, c.choices) << c.typed;
}

TEST(SingleParameterSummary, APickedChoiceIsWrittenAsTheTypeSpellsIt) {
    test::DocumentBench bench{kKq13};
    ASSERT_TRUE(bench.doc.OnNewDocument());
    std::vector<DescParameter> described = bench.doc.description().descriptionParameters;
    for (DescParameter& entry : described)
        if (entry.name == "Ao.t") entry.typeDefinition = "off:4-20_mA:0-20_mA:0-5_mA";
    bench.recorder.sent.clear();

    auto exchange = SingleExchange::prepare(described, {.name = "Ao.t", .write = true, .writeText = "0-5 mA"});
    ASSERT_NE(exchange, nullptr);
    exchange->run(bench.doc.device());
    ASSERT_EQ(bench.recorder.frames().size(), 1u);
    EXPECT_EQ(bench.recorder.frames().front().data, (std::vector<std::uint8_t>{0x03}));
}

}  // namespace
}  // namespace vantor
