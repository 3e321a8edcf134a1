#include <gtest/gtest.h>

#include <QAbstractButton>
#include <mutex>

#include "calibration/energy/energy_pages.h"
#include "calibration/energy/energy_sheet.h"
#include "calibration/framework/error_page.h"
#include "calibration_bench.h"
#include "models/device_energy.h"
#include "support/shot_path.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::CalibrationEnergy::CSheetEnergy;
using gui::CalibrationEnergy::CStagePage;
using Lines = std::vector<std::string>;

const char* const kStageTitles[] = {"IDS_STRING519", "IDS_STRING520", "IDS_STRING521", "IDS_STRING522"};

// A "Mode" word that ends no stage of any meter and reports no failure.
constexpr std::uint32_t kNothingYet = 0x100;

// The meter's side of "Mode": reads answer the word the test sets (the link reads it
// meanwhile, hence the lock); writes are taken and kept.
class MeterModule : public sim::ModuleHooks {
public:
    void answerMode(std::uint32_t word) {
        const std::lock_guard lock(mutex_);
        word_ = word;
    }
    int modeReads() {
        const std::lock_guard lock(mutex_);
        return reads_;
    }
    std::vector<Bytes> modeWrites() {
        const std::lock_guard lock(mutex_);
        return writes_;
    }

    std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest& request, sim::ParameterTable&,
                                              std::int64_t) override {
        if (request.hash != hash_name("Mode")) return std::nullopt;
        const std::lock_guard lock(mutex_);
        if (!request.read) {
            writes_.push_back(request.data);
            return sim::ModuleReply{request.hash, request.data};
        }
        ++reads_;
        return sim::ModuleReply{request.hash,
                                {static_cast<std::uint8_t>(word_ >> 8), static_cast<std::uint8_t>(word_)}};
    }

private:
    std::mutex mutex_;
    std::uint32_t word_ = kNothingYet;
    int reads_ = 0;
    std::vector<Bytes> writes_;
};

constexpr int kLongerThanAnyTest = 600000;

gui::CalibrationTiming timingWith(int stageTimeoutMs, int readingPauseMs) {
    gui::CalibrationTiming timing = gui::CalibrationTiming::quick();
    timing.stageTimeoutMs = stageTimeoutMs;
    timing.readingPauseMs = readingPauseMs;
    return timing;
}

// The wizard of a meter on its in-process module; the stage time-out is long unless a
// test is about it, so that only the word the meter answers moves the wizard.
struct MeterBench : test::CalibrationBench {
    explicit MeterBench(int model, int stageTimeoutMs = kLongerThanAnyTest, int readingPauseMs = 1)
        : CalibrationBench(model),
          meterLink(bench.doc, timingWith(stageTimeoutMs, readingPauseMs)),
          sheet(meterLink, dynamic_cast<CDeviceEnergy&>(*bench.doc.deviceModel())) {
        auto hooks = std::make_unique<MeterModule>();
        meter = hooks.get();
        bench.module.setHooks(std::move(hooks));
        sheet.show();
    }

    // Leaves the module side to the meter's own calibration, which counts the reads of a
    // stage: the bench then reads one round per stage (a pause longer than any test), so that no
    // round after a stage's end runs the next one before its page waits for it.
    void useFirmware() {
        bench.module.setHooks(nullptr);
        meter = nullptr;
    }
    Lines modeExchanges() const {
        Lines out;
        for (const std::string& line : exchanges({"Mode"}))
            if (line == "w Mode" || line == "r Mode") out.push_back(line);
        return out;
    }
    CStagePage& stagePage(int id) { return *static_cast<CStagePage*>(sheet.pageAt(id)); }
    QAbstractButton& button(QWizard::WizardButton which) { return *sheet.button(which); }
    void click(QWizard::WizardButton which) {
        ASSERT_TRUE(button(which).isEnabled() && button(which).isVisible()) << button(which).text().toStdString();
        button(which).click();
    }
    bool onPage(int id) {
        return eventually([&] { return sheet.currentId() == id && meterLink.idle(); });
    }
    // Next on the stage page shown; true once the page has seen the meter answer twice
    // that the stage is not over.
    bool startStage() {
        meter->answerMode(kNothingYet);
        const int before = meter->modeReads();
        click(QWizard::NextButton);
        return eventually([&] { return meter->modeReads() > before + 1; });
    }
    std::string errorShown() { return sheet.errorPage()->instructionText(); }

    MeterModule* meter;
    gui::CalibrationLink meterLink;
    CSheetEnergy sheet;
};

TEST(EnergyMeterCalibration, EachMeterWalksItsStagesOnTheWordsItsModelGives) {
    const struct {
        int model;
        Lines texts;  // of the stage pages in turn
        std::vector<std::uint32_t> stageEnds;
        Bytes startWord;
    } cases[] = {
        {test::kKq21,
         {Text("IDS_STRING339"), Text("IDS_STRING340"), Text("IDS_STRING341")},
         {0x02, 0x04, 0x10},
         {0x01, 0x00}},
        {test::kKq22,
         {FormatTextArgs(Text("IDS_STRING335"), "220.000", "5.000"),
          FormatTextArgs(Text("IDS_STRING336"), "22.000", "0.250"),
          FormatTextArgs(Text("IDS_STRING337"), "220.000", "5.000"), Text("IDS_STRING338")},
         {0x02, 0x04, 0x40, 0x80},
         {0x01, 0x00}},
        {test::kKq23, {Text("IDS_STRING325"), Text("IDS_STRING326"), Text("IDS_STRING327")}, {0x08, 0x04, 0}, {0x10}},
        {test::kKq24, {Text("IDS_STRING322"), Text("IDS_STRING323"), Text("IDS_STRING324")}, {0x08, 0x04, 0}, {0x10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        MeterBench b(c.model);
        const int endPage = static_cast<int>(c.stageEnds.size());
        for (int stage = 0; stage < endPage; ++stage) {
            ASSERT_TRUE(b.onPage(stage));
            EXPECT_EQ(b.sheet.currentPage()->title().toStdString(), Text(kStageTitles[stage]));
            EXPECT_EQ(b.stagePage(stage).instructionText(), c.texts[static_cast<std::size_t>(stage)]);
            ASSERT_TRUE(b.startStage());
            EXPECT_EQ(b.sheet.currentId(), stage);
            EXPECT_TRUE(b.stagePage(stage).busyShown());
            EXPECT_FALSE(b.button(QWizard::NextButton).isEnabled());
            if (c.model == test::kKq22 && stage == 1) b.sheet.grab().save(test::shotPath("calibration_meter_stage"));
            b.meter->answerMode(c.stageEnds[static_cast<std::size_t>(stage)]);
        }
        ASSERT_TRUE(b.onPage(endPage));
        EXPECT_FALSE(b.stagePage(endPage - 1).busyShown());
        EXPECT_FALSE(b.meterLink.readingsRunning());
        EXPECT_EQ(b.sheet.currentPage()->title().toStdString(), Text("IDS_STRING523"));
        EXPECT_EQ(static_cast<gui::CalibrationPage*>(b.sheet.currentPage())->instructionText(), Text("IDS_STRING524"));
        EXPECT_FALSE(b.button(QWizard::BackButton).isEnabled());
        b.click(QWizard::FinishButton);
        EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
        EXPECT_EQ(b.meter->modeWrites(), std::vector<Bytes>{c.startWord});
        EXPECT_TRUE(b.bench.ui.messages.empty());
    }
}

TEST(EnergyMeterCalibration, EachMetersOwnCalibrationRunsItsStagesToTheEnd) {
    for (const int model : {test::kKq21, test::kKq22, test::kKq23, test::kKq24}) {
        SCOPED_TRACE(model);
        MeterBench b(model, kLongerThanAnyTest, kLongerThanAnyTest);
        b.useFirmware();
        b.bench.module.calibration().busyReads = 0;
        const int endPage = model == test::kKq22 ? 4 : 3;
        // Each stage page moves on only on the end the meter reports for it.
        Lines expected{"w Mode"};
        for (int stage = 0; stage < endPage; ++stage) {
            ASSERT_TRUE(b.onPage(stage));
            b.click(QWizard::NextButton);
            expected.push_back("r Mode");
        }
        ASSERT_TRUE(b.onPage(endPage));
        b.click(QWizard::FinishButton);
        EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
        EXPECT_EQ(b.modeExchanges(), expected);
        EXPECT_TRUE(b.bench.ui.messages.empty());
    }
}

TEST(EnergyMeterCalibration, AStageTheMeterFailsEndsOnTheErrorPage) {
    MeterBench b(test::kKq22, kLongerThanAnyTest, kLongerThanAnyTest);
    b.useFirmware();
    b.bench.module.calibration().busyReads = 0;
    ASSERT_TRUE(b.onPage(0));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(1));
    b.bench.module.calibration().failNextJob = 1;
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(b.sheet.idOf<gui::CErrorPage>()));
    EXPECT_EQ(b.errorShown(), Text("IDS_STRING298") + "\r\n\r\n" + Text("IDS_STRING672"));
    EXPECT_FALSE(b.meterLink.readingsRunning());
    EXPECT_EQ(b.modeExchanges(), (Lines{"w Mode", "r Mode", "r Mode"}));
}

TEST(EnergyMeterCalibration, TheFailureBitEndsOnTheErrorPageWhateverElseIsSet) {
    const struct {
        int stagePage;
        std::uint32_t word;  // with the bit that would end the stage
    } cases[] = {{0, 0x03}, {2, 0x11}};
    for (const auto& c : cases) {
        MeterBench b(test::kKq21);
        for (int stage = 0; stage < c.stagePage; ++stage) {
            ASSERT_TRUE(b.onPage(stage));
            ASSERT_TRUE(b.startStage());
            b.meter->answerMode(std::uint32_t{0x02} << stage);
        }
        ASSERT_TRUE(b.onPage(c.stagePage));
        ASSERT_TRUE(b.startStage());
        b.meter->answerMode(c.word);
        ASSERT_TRUE(b.onPage(b.sheet.idOf<gui::CErrorPage>())) << c.word;
        EXPECT_EQ(b.errorShown(), Text("IDS_STRING298") + "\r\n\r\n" + Text("IDS_STRING672"));
        EXPECT_FALSE(b.stagePage(c.stagePage).busyShown());
        EXPECT_FALSE(b.meterLink.readingsRunning());
    }
}

TEST(EnergyMeterCalibration, AStageTheMeterDoesNotEndInTimeEndsOnTheErrorPageAndRepeatStartsAgain) {
    MeterBench b(test::kKq23, 1);
    ASSERT_TRUE(b.onPage(0));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(b.sheet.idOf<gui::CErrorPage>()));
    EXPECT_EQ(b.errorShown(), Text("IDS_STRING298") + "\r\n\r\n" + Text("IDS_STRING672"));
    EXPECT_FALSE(b.stagePage(0).stageRunning());
    EXPECT_FALSE(b.stagePage(0).busyShown());
    EXPECT_FALSE(b.meterLink.readingsRunning());
    b.click(QWizard::FinishButton);
    ASSERT_TRUE(b.onPage(0));
    EXPECT_TRUE(b.button(QWizard::NextButton).isEnabled());
    EXPECT_FALSE(b.button(QWizard::BackButton).isEnabled());
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(b.sheet.idOf<gui::CErrorPage>()));
    EXPECT_EQ(b.meter->modeWrites(), (std::vector<Bytes>{{0x10}, {0x10}}));
}

TEST(EnergyMeterCalibration, ClosingDuringAStageStopsTheReadingsAndTheClock) {
    MeterBench b(test::kKq24);
    ASSERT_TRUE(b.onPage(0));
    ASSERT_TRUE(b.startStage());
    b.sheet.reject();
    EXPECT_FALSE(b.stagePage(0).stageRunning());
    EXPECT_FALSE(b.stagePage(0).busyShown());
    EXPECT_FALSE(b.meterLink.readingsRunning());
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.meterLink.idle(); }));
    EXPECT_FALSE(b.stagePage(0).stageRunning());
}

}  // namespace
}  // namespace vantor
