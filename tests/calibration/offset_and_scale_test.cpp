#include <gtest/gtest.h>

#include <QAbstractButton>
#include <optional>

#include "calibration/framework/code_base_page.h"
#include "calibration/framework/error_page.h"
#include "calibration/framework/my_sheet.h"
#include "calibration/generic/offset_and_scale.h"
#include "calibration_bench.h"
#include "params/type_names.h"
#include "support/shot_path.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::CmySheet;
using Lines = std::vector<std::string>;

const Lines kJobNames{"in-t", "JuSh", "JuSc", "JuRD", "Prmn", "UApl"};

Bytes jobResult(int code) {
    Bytes data = code > 0xFF ? Bytes{static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)}
                             : Bytes{static_cast<std::uint8_t>(code)};
    data.insert(data.end(), {0, 0, 0});  // the journal bytes after the result
    return data;
}

// The offset-and-scale wizard of a KQ-08 (or KQ-19) on its in-process module.
struct GenericBench : test::CalibrationBench {
    explicit GenericBench(int model = test::kKq08) : CalibrationBench(model), sheet(link) {
        gui::addOffsetAndScalePages(sheet);
        sheet.show();
    }

    gui::CCodeBasePage& codePage() { return *sheet.pageOf<gui::CCodeBasePage>(); }
    QAbstractButton& button(QWizard::WizardButton which) { return *sheet.button(which); }
    void click(QWizard::WizardButton which) {
        ASSERT_TRUE(button(which).isEnabled() && button(which).isVisible()) << button(which).text().toStdString();
        button(which).click();
    }
    // Code and sensor entered: the first Next shows the list, the second moves on.
    void enterCode(const QString& code = "936", int sensor = 0) {
        codePage().accessCode().setText(code);
        click(QWizard::NextButton);
        codePage().row(0).list->setCurrentIndex(sensor);
        click(QWizard::NextButton);
    }
    bool onPage(int id) {
        return eventually([&] { return sheet.currentId() == id && link.idle(); });
    }
    std::string errorShown() { return sheet.errorPage()->instructionText(); }

    CmySheet sheet;
};

constexpr int kCode = 0, kOffset = 1, kScale = 2, kSave = 3, kError = 4;

TEST(OffsetAndScaleCalibration, RunsBothJobsAndStoresWithTheFramesInOrder) {
    GenericBench b;
    b.scriptReads().script("JuRD", {jobResult(6), jobResult(0)});
    b.enterCode();
    ASSERT_TRUE(b.onPage(kOffset));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kScale));
    EXPECT_TRUE(b.sheet.currentPage()->isVisible());
    b.scriptReads().script("JuRD", {jobResult(0)});
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kSave));
    EXPECT_EQ(b.button(QWizard::FinishButton).text().toStdString(), Text("IDS_STRING667"));
    EXPECT_FALSE(b.button(QWizard::BackButton).isEnabled());
    b.click(QWizard::FinishButton);
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !b.sheet.isVisible(); }));
    EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    // One start per job: the poll's Next does not start the job again.
    EXPECT_EQ(b.exchanges(kJobNames),
              (Lines{"w in-t", "w JuSh", "r JuRD", "r JuRD", "w JuSc", "r JuRD", "w Prmn", "w UApl"}));
    EXPECT_TRUE(b.bench.ui.messages.empty());
}

TEST(OffsetAndScaleCalibration, TheModulesOwnJobsRunBothStepsAndStoreTheCoefficients) {
    GenericBench b;
    b.bench.module.calibration().busyReads = 1;
    b.enterCode();
    ASSERT_TRUE(b.onPage(kOffset));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kScale));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kSave));
    b.click(QWizard::FinishButton);
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !b.sheet.isVisible(); }));
    EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    EXPECT_EQ(b.exchanges(kJobNames),
              (Lines{"w in-t", "w JuSh", "r JuRD", "r JuRD", "w JuSc", "r JuRD", "r JuRD", "w Prmn", "w UApl"}));
    EXPECT_EQ(b.bench.module.calibrationStore(), (sim::CalibrationStore{{"gain", 1.0}, {"offset", 0.0}}));
    EXPECT_TRUE(b.bench.ui.messages.empty());
}

TEST(OffsetAndScaleCalibration, AJobTheModuleRefusesEndsOnTheErrorPageWithItsReason) {
    const struct {
        std::optional<int> failure;
        std::optional<double> signalPercent;
        std::string text;
    } cases[] = {
        {4, std::nullopt, Text("IDS_STRING649")},
        {std::nullopt, 50.0, Text("IDS_STRING647")},  // the zero job sees half the range
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        GenericBench b;
        b.enterCode();
        ASSERT_TRUE(b.onPage(kOffset));
        b.bench.module.calibration().failNextJob = c.failure;
        b.bench.module.calibration().signalPercent = c.signalPercent;
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.onPage(kError));
        EXPECT_EQ(b.errorShown(), c.text + "\r\n\r\n" + Text("IDS_STRING672"));
        EXPECT_TRUE(b.bench.module.calibrationStore().empty());
    }
}

TEST(OffsetAndScaleCalibration, WrongCodeSendsNothingAndTheFirstRightNextOnlyShowsTheSensors) {
    GenericBench b;
    b.codePage().accessCode().setText("937");
    b.click(QWizard::NextButton);
    EXPECT_EQ(b.bench.ui.texts(), Lines{Text("IDS_STRING657")});
    b.codePage().accessCode().setText("936");
    b.click(QWizard::NextButton);
    EXPECT_TRUE(b.codePage().row(0).shown());
    EXPECT_EQ(b.sheet.currentId(), kCode);
    EXPECT_TRUE(b.bench.recorder.sent.empty());
}

TEST(OffsetAndScaleCalibration, SensorListLeavesOutOffAndDiscreteAndOnKq19TheFourthChoice) {
    for (const int model : {test::kKq08, test::kKq19}) {
        GenericBench b(model);
        const Parameter& inputType = b.bench.named("in-t");
        const auto choices = typeElements(inputType.type);
        QStringList expected;
        for (std::size_t i = 2; i < choices.size(); ++i)
            if (!(model == test::kKq19 && i == 3)) expected << QString::fromStdString(choices[i]);
        QStringList offered;
        for (int i = 0; i < b.codePage().row(0).list->count(); ++i) offered << b.codePage().row(0).list->itemText(i);
        EXPECT_EQ(offered, expected) << model;
        EXPECT_GT(offered.size(), 2);
    }
}

TEST(OffsetAndScaleCalibration, EachRefusalShowsItsTextOnTheErrorPage) {
    const std::string hint = "\r\n\r\n" + Text("IDS_STRING672");
    const struct {
        int code;
        std::string text;
    } cases[] = {
        {1, Text("IDS_STRING646")}, {2, Text("IDS_STRING647")},
        {3, Text("IDS_STRING648")}, {4, Text("IDS_STRING649")},
        {5, Text("IDS_STRING650")}, {300, FormatTextArgs(Text("IDS_STRING652"), 300)},  // low byte 44 is no known code
    };
    for (const auto& c : cases) {
        GenericBench b;
        b.scriptReads().script("JuRD", {jobResult(c.code)});
        b.enterCode();
        ASSERT_TRUE(b.onPage(kOffset));
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.onPage(kError)) << c.code;
        EXPECT_EQ(b.errorShown(), c.text + hint) << c.code;
        EXPECT_EQ(b.button(QWizard::FinishButton).text().toStdString(), Text("IDS_STRING670"));
        EXPECT_EQ(b.button(QWizard::CancelButton).text().toStdString(), Text("IDS_STRING671"));
    }
}

TEST(OffsetAndScaleCalibration, TenBusyAnswersThenDoneMovesOnElevenGiveUp) {
    for (const int busy : {10, 11}) {
        GenericBench b;
        std::vector<Bytes> answers(static_cast<std::size_t>(busy), jobResult(6));
        answers.push_back(jobResult(0));
        b.scriptReads().script("JuRD", answers);
        b.enterCode();
        ASSERT_TRUE(b.onPage(kOffset));
        b.click(QWizard::NextButton);
        if (busy == 10) {
            ASSERT_TRUE(b.onPage(kScale));
        } else {
            ASSERT_TRUE(b.onPage(kError));
            EXPECT_EQ(b.errorShown(), Text("IDS_STRING651") + "\r\n\r\n" + Text("IDS_STRING672"));
        }
        const Lines sent = b.exchanges(kJobNames);
        EXPECT_EQ(std::count(sent.begin(), sent.end(), "r JuRD"), 11);
    }
}

TEST(OffsetAndScaleCalibration, ATimeOutWhilePollingEndsWithTheTimeOutText) {
    GenericBench b;
    b.enterCode();
    ASSERT_TRUE(b.onPage(kOffset));
    test::DeadLine dead;
    dead.Open();
    b.bench.doc.device().attachLine(&dead, &dead);
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kError));
    EXPECT_EQ(b.errorShown(), Text("IDS_NOCARRIER") + ".\r\n\r\n" + Text("IDS_STRING672"));
    // The failed start was told first, with the module's reason.
    ASSERT_FALSE(b.bench.ui.messages.empty());
    EXPECT_EQ(b.bench.ui.messages[0].caption, Text("IDS_STRING661"));
}

TEST(OffsetAndScaleCalibration, ASensorTheModuleDoesNotTakeKeepsTheCodePageWithTheReason) {
    GenericBench b;
    test::DeadLine dead;
    dead.Open();
    b.bench.doc.device().attachLine(&dead, &dead);
    b.enterCode();
    ASSERT_TRUE(b.onPage(kCode));
    ASSERT_EQ(b.bench.ui.messages.size(), 1u);
    EXPECT_EQ(b.bench.ui.messages[0].text, Text("IDS_STRING655") + "\r\n" + Text("IDS_NOCARRIER"));
    EXPECT_EQ(b.bench.ui.messages[0].caption, Text("IDS_STRING656"));

    // With the module back, the same Next moves on.
    b.bench.doc.device().attachLine(&b.bench.recorder, &b.bench.recorder);
    b.click(QWizard::NextButton);
    EXPECT_TRUE(b.onPage(kOffset));
}

// A port that became unusable (the module went and came back) is opened again, as the
// tree tasks do, and stays open for the rest of the program.
TEST(OffsetAndScaleCalibration, AnUnusablePortIsOpenedAgainAndLeftUsable) {
    GenericBench b;
    b.bench.doc.device().CloseLine();
    ASSERT_FALSE(b.bench.doc.device().portUsable());
    b.enterCode();
    ASSERT_TRUE(b.onPage(kOffset));
    const Lines sent = b.exchanges({"in-t"});
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "w in-t"), 1);
    EXPECT_TRUE(b.bench.ui.messages.empty());
    b.sheet.close();
    EXPECT_TRUE(b.bench.doc.device().portUsable());
}

TEST(OffsetAndScaleCalibration, RepeatGoesBackToTheCodePageWithEverythingKeptAndExitCloses) {
    GenericBench b;
    b.scriptReads().script("JuRD", {jobResult(4)});
    b.enterCode("936", 1);
    ASSERT_TRUE(b.onPage(kOffset));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kError));
    b.sheet.grab().save(test::shotPath("calibration_generic_error"));
    b.click(QWizard::FinishButton);
    ASSERT_TRUE(b.onPage(kCode));
    EXPECT_EQ(b.codePage().accessCode().text(), "936");
    EXPECT_EQ(b.codePage().row(0).list->currentIndex(), 1);
    EXPECT_EQ(b.button(QWizard::CancelButton).text().toStdString(), Text("IDS_STRING673"));
    // Again from the start: the code page writes the sensor and moves on.
    b.scriptReads().script("JuRD", {jobResult(0)});
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kOffset));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kScale));
    b.sheet.reject();
    EXPECT_FALSE(b.sheet.isVisible());
}

TEST(OffsetAndScaleCalibration, ClosingDuringAJobStopsThePoll) {
    GenericBench b;
    b.scriptReads().script("JuRD", {jobResult(6)});
    b.enterCode();
    ASSERT_TRUE(b.onPage(kOffset));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.sheet.jobPollRunning(); }));
    b.sheet.reject();
    EXPECT_FALSE(b.sheet.jobPollRunning());
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.link.idle(); }));
    EXPECT_FALSE(b.sheet.jobPollRunning());
}

TEST(OffsetAndScaleCalibration, PicturesOfTheCodePageAndARunningJob) {
    GenericBench b;
    b.scriptReads().script("JuRD", {jobResult(6)});
    b.codePage().accessCode().setText("936");
    b.click(QWizard::NextButton);
    b.codePage().row(0).list->setCurrentIndex(0);
    b.sheet.grab().save(test::shotPath("calibration_generic_code"));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kOffset));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.sheet.jobPollRunning(); }));
    EXPECT_TRUE(b.sheet.currentPage() && static_cast<gui::CalibrationPage*>(b.sheet.currentPage())->busyShown());
    EXPECT_FALSE(b.button(QWizard::NextButton).isEnabled());
    EXPECT_FALSE(b.button(QWizard::BackButton).isEnabled());
    EXPECT_TRUE(b.button(QWizard::CancelButton).isEnabled());
    b.sheet.grab().save(test::shotPath("calibration_generic_offset_job"));
}

}  // namespace
}  // namespace vantor
