#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <bit>
#include <mutex>

#include "calibration/framework/error_page.h"
#include "calibration/ph/ph_code_page.h"
#include "calibration/ph/ph_save_page.h"
#include "calibration/ph/ph_sheet.h"
#include "calibration/ph/ph_step_pages.h"
#include "calibration_bench.h"
#include "protocol/frame.h"
#include "sim/device_errors.h"
#include "support/shot_path.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using gui::CalibrationPH::CCodePage;
using gui::CalibrationPH::CSheetPH;
using gui::CalibrationPH::CStepPage;
using Lines = std::vector<std::string>;

constexpr int kCode = 0, kStep1 = 1, kStep2 = 2, kSave = 3, kError = 4;
constexpr int kPh = 0, kRedox = 1;
constexpr int kOnePoint = 0, kTwoPoints = 1;

Bytes floatBytes(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

// The KQ-20 as the tests need it: scripted reads, reads it refuses first, and what it
// answers to the write of "U.Apl" (the electrode slope).
class Kq20Module : public test::ScriptedReads {
public:
    void script(const std::string& name, std::vector<Bytes> answers) {
        const std::lock_guard lock(mutex_);
        ScriptedReads::script(name, std::move(answers));
    }
    void refuseReads(const std::string& name, int count) {
        const std::lock_guard lock(mutex_);
        refusals_[hash_name(name)] = count;
    }
    void answerApply(Bytes answer) {
        const std::lock_guard lock(mutex_);
        applyAnswer_ = std::move(answer);
    }

    // Reads of `name` the module has answered so far; safe while the wizard runs.
    int readsOf(const std::string& name) {
        const std::lock_guard lock(mutex_);
        return reads_[hash_name(name)];
    }

    std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest& request, sim::ParameterTable& table,
                                              std::int64_t now) override {
        const std::lock_guard lock(mutex_);
        if (request.read) ++reads_[request.hash];
        if (!request.read && request.hash == hash_name("U.Apl") && applyAnswer_)
            return sim::ModuleReply{request.hash, *applyAnswer_};
        if (auto it = refusals_.find(request.hash); request.read && it != refusals_.end() && it->second > 0) {
            --it->second;
            return sim::ModuleReply{kHashDeviceError, {sim::kErrBusy}};
        }
        return ScriptedReads::intercept(request, table, now);
    }

private:
    std::mutex mutex_;
    std::map<std::uint16_t, int> refusals_;
    std::map<std::uint16_t, int> reads_;
    std::optional<Bytes> applyAnswer_;
};

gui::CalibrationTiming timingWith(int pointTimeoutMs) {
    gui::CalibrationTiming timing = gui::CalibrationTiming::quick();
    timing.pointTimeoutMs = pointTimeoutMs;
    return timing;
}

const Lines kNames{"tco.t", "TSe.T", "C.Tem", "E.Crd", "p.Crd", "Rd.Rs", "Rd.Tm", "Rd.St",
                   "U.pH1", "U.pHL", "U.pHH", "U.Rx1", "U.RxL", "U.RxH", "U.Apl"};

// The wizard of a KQ-20 on its in-process module. The point time-out is long unless a
// test is about it, so that only the status the module answers moves the wizard.
struct PhBench : test::CalibrationBench {
    explicit PhBench(int pointTimeoutMs = 600000)
        : CalibrationBench(test::kKq20), phLink(bench.doc, timingWith(pointTimeoutMs)), sheet(phLink) {
        auto hooks = std::make_unique<Kq20Module>();
        module = hooks.get();
        bench.module.setHooks(std::move(hooks));
        module->answerApply(floatBytes(1.0F));
        sheet.show();
    }

    // Leaves the module side to the module's own calibration.
    void useFirmware() {
        bench.module.setHooks(nullptr);
        module = nullptr;
    }
    CCodePage& codePage() { return *sheet.pageOf<CCodePage>(); }
    CStepPage& stepPage(int id) { return *static_cast<CStepPage*>(sheet.pageAt(id)); }
    QAbstractButton& button(QWizard::WizardButton which) { return *sheet.button(which); }
    void click(QWizard::WizardButton which) {
        ASSERT_TRUE(button(which).isEnabled() && button(which).isVisible()) << button(which).text().toStdString();
        button(which).click();
    }
    // On page `id` with nothing posted left, and past the read the readings may still
    // have been making when they stopped: the frames sent so far may be looked at.
    bool onPage(int id) {
        if (!eventually([&] { return sheet.currentId() == id && phLink.idle(); })) return false;
        return settled();
    }
    bool settled() {
        bool passed = false;
        phLink.post(
            &sheet, [] {}, [&passed] { passed = true; });
        return eventually([&] { return passed; });
    }
    // The right code, the parameters confirmed (the recording interface says Yes), the
    // method and the number of points chosen: step 1.
    void enterCode(int method, int points) {
        codePage().accessCode().setText("947");
        click(QWizard::NextButton);
        ASSERT_TRUE(eventually([&] { return codePage().methodRow().shown() && phLink.idle(); }));
        codePage().methodRow().list->setCurrentIndex(method);
        codePage().pointsRow().list->setCurrentIndex(points);
        click(QWizard::NextButton);
        ASSERT_TRUE(onPage(kStep1));
    }
    // Types the buffer value on the step page shown and lets the module measure it.
    void takePoint(const QString& buffer) {
        stepPage(sheet.currentId()).bufferValue().setText(buffer);
        click(QWizard::NextButton);
    }
    void save() {
        ASSERT_TRUE(onPage(kSave));
        click(QWizard::FinishButton);
    }
    bool closed() {
        return eventually([&] { return !sheet.isVisible() && phLink.idle(); }) && settled();
    }
    // The exchanges without the live readings, and a run of status reads as one.
    Lines pointExchanges() const {
        Lines out;
        for (const std::string& line : exchanges(kNames)) {
            if (line == "r Rd.Rs" || line == "r Rd.Tm") continue;
            if (line == "r Rd.St" && !out.empty() && out.back() == line) continue;
            out.push_back(line);
        }
        return out;
    }
    // Only once the readings have stopped (see onPage).
    std::size_t reads(const std::string& name) const {
        const Lines sent = exchanges(kNames);
        return static_cast<std::size_t>(std::count(sent.begin(), sent.end(), "r " + name));
    }
    Bytes writtenData(const std::string& name) const {
        for (const ReceivedFrame& frame : bench.recorder.frames())
            if (frame.hash == hash_name(name) && !frame.requestBit()) return frame.data;
        return {};
    }
    Lines captions() const {
        Lines out;
        for (const auto& m : bench.ui.messages) out.push_back(m.caption);
        return out;
    }

    Kq20Module* module;
    gui::CalibrationLink phLink;
    CSheetPH sheet;
};

TEST(PhCalibration, EachModeTakesItsPointsOnItsPagesAndSaves) {
    const struct {
        int method, points;
        Lines instructionKeys;  // of the step pages in turn
        Lines pointNames;
        std::string slopeCaption;  // empty: no slope message
    } cases[] = {
        {kPh, kOnePoint, {"IDS_STRING542"}, {"U.pH1"}, Text("IDS_STRING564")},
        {kPh, kTwoPoints, {"IDS_STRING543", "IDS_STRING554"}, {"U.pHL", "U.pHH"}, Text("IDS_STRING564")},
        {kRedox, kOnePoint, {"IDS_STRING544"}, {"U.Rx1"}, ""},
        {kRedox, kTwoPoints, {"IDS_STRING545", "IDS_STRING555"}, {"U.RxL", "U.RxH"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pointNames.front());
        PhBench b;
        b.module->script("Rd.St", {{0x10}, {0}});
        b.enterCode(c.method, c.points);
        EXPECT_EQ(b.sheet.mode(), c.method * 2 + c.points);
        Lines expected{"r tco.t", "r TSe.T", "r E.Crd", "r p.Crd"};
        for (std::size_t point = 0; point < c.pointNames.size(); ++point) {
            const int page = point == 0 ? kStep1 : kStep2;
            ASSERT_TRUE(b.onPage(page));
            EXPECT_EQ(b.sheet.currentPage()->title(),
                      QString::fromStdString(Text(page == kStep1 ? "IDS_STRING536" : "IDS_STRING548")));
            EXPECT_EQ(b.stepPage(page).instructionText(), Text(c.instructionKeys[point]));
            b.takePoint("7,01");
            expected.insert(expected.end(), {"w " + c.pointNames[point], "r Rd.St"});
        }
        b.save();
        ASSERT_TRUE(b.closed());
        EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
        expected.insert(expected.end(), {"w U.Apl", "r Rd.St", "r E.Crd", "r p.Crd"});
        EXPECT_EQ(b.pointExchanges(), expected);
        // The decimal comma goes to the module as a decimal point.
        for (const std::string& name : c.pointNames) EXPECT_EQ(b.writtenData(name), floatBytes(7.01F)) << name;
        EXPECT_TRUE(b.writtenData("U.Apl").empty());
        Lines captions{Text("IDS_STRING568")};
        if (!c.slopeCaption.empty()) captions.push_back(c.slopeCaption);
        EXPECT_EQ(b.captions(), captions);
    }
}

TEST(PhCalibration, TheModulesOwnCalibrationTakesBothPointsAndGivesTheNewCharacteristic) {
    PhBench b;
    b.useFirmware();
    b.bench.module.calibration().busyReads = 1;
    b.bench.module.calibration().slope = 0.98;
    b.enterCode(kPh, kTwoPoints);
    b.takePoint("4,01");
    ASSERT_TRUE(b.onPage(kStep2));
    b.takePoint("9,18");
    b.save();
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    EXPECT_EQ(b.pointExchanges(), (Lines{"r tco.t", "r TSe.T", "r E.Crd", "r p.Crd", "w U.pHL", "r Rd.St", "w U.pHH",
                                         "r Rd.St", "w U.Apl", "r Rd.St", "r E.Crd", "r p.Crd"}));
    EXPECT_EQ(b.captions(), (Lines{Text("IDS_STRING568"), Text("IDS_STRING564")}));
    EXPECT_EQ(b.bench.ui.messages.back().text, "Electrode slope deviation: 0.98");
    EXPECT_EQ(b.bench.named("E.Crd").valueText, "12.500");
    EXPECT_EQ(b.bench.named("p.Crd").valueText, "6.950");
}

TEST(PhCalibration, APointTheModuleCouldNotTakeAsksToRepeatAndTheRepeatedPointsSave) {
    PhBench b;
    b.useFirmware();
    b.enterCode(kPh, kOnePoint);
    b.bench.module.calibration().failNextJob = 1;
    b.takePoint("7");
    b.save();
    ASSERT_TRUE(b.eventually([&] { return b.bench.ui.messages.size() == 2 && b.phLink.idle(); }));
    EXPECT_EQ(b.bench.ui.messages[1].text, Text("IDS_STRING560"));
    EXPECT_EQ(b.sheet.currentId(), kSave);
    // The module keeps telling the failure until a point succeeds.
    b.click(QWizard::BackButton);
    ASSERT_TRUE(b.onPage(kCode));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kStep1));
    b.takePoint("7");
    b.save();
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    EXPECT_EQ(b.bench.ui.messages.back().caption, Text("IDS_STRING564"));
}

TEST(PhCalibration, TheVerificationShowsWhatTheModuleHoldsAndNoEndsWithoutWriting) {
    const struct {
        int temperatureSource;
        std::string temperatureLine;
    } cases[] = {
        {0, "Temperature sensor: Pt1000"},
        {1, "Fixed temperature, deg C: 31.500"},
    };
    for (const auto& c : cases) {
        PhBench b;
        b.module->script("tco.t", {{static_cast<std::uint8_t>(c.temperatureSource)}});
        b.module->script("TSe.T", {{1}});
        b.module->script("C.Tem", {floatBytes(31.5F)});
        b.module->script("E.Crd", {floatBytes(-12.25F)});
        b.module->script("p.Crd", {floatBytes(6.5F)});
        b.bench.ui.answers.push_back(MessageAnswer::No);
        b.codePage().accessCode().setText("947");
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.closed());
        EXPECT_EQ(b.sheet.result(), QDialog::Rejected);
        ASSERT_EQ(b.bench.ui.messages.size(), 1U);
        const test::RecordedMessage& question = b.bench.ui.messages[0];
        EXPECT_EQ(question.text, c.temperatureLine +
                                     "\r\nPotential of the zero point, mV: -12.250\r\npH of the zero point: 6.500"
                                     "\r\n\r\nAre these parameter correct?");
        EXPECT_EQ(question.caption, Text("IDS_STRING568"));
        EXPECT_EQ(question.icon, MessageIcon::Information);
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
        for (const std::string& line : b.exchanges(kNames)) EXPECT_EQ(line[0], 'r') << line;
    }
}

TEST(PhCalibration, TheCodePageRefusesAWrongCodeAndACompensationItCannotUse) {
    {
        PhBench b;
        b.codePage().accessCode().setText("936");
        b.click(QWizard::NextButton);
        EXPECT_EQ(b.bench.ui.texts(), Lines{Text("IDS_STRING534")});
        EXPECT_TRUE(b.bench.recorder.sent.empty());
    }
    // Refused, and a value of no temperature source: both end in the read-failure message.
    for (const bool refused : {true, false}) {
        PhBench b;
        if (refused)
            b.module->refuseReads("tco.t", 1);
        else
            b.module->script("tco.t", {{2}});
        b.codePage().accessCode().setText("947");
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.eventually([&] { return !b.bench.ui.messages.empty() && b.phLink.idle(); }));
        EXPECT_EQ(b.bench.ui.messages[0].text, "Failed to read the parameter tco.t");
        EXPECT_EQ(b.bench.ui.messages[0].caption, Text("IDS_STRING570"));
        EXPECT_EQ(b.bench.ui.messages.size(), 1U);
        EXPECT_EQ(b.sheet.currentId(), kCode);
        EXPECT_FALSE(b.codePage().methodRow().shown());
        EXPECT_TRUE(b.button(QWizard::NextButton).isEnabled());
        EXPECT_EQ(b.exchanges(kNames), Lines{"r tco.t"});
    }
}

TEST(PhCalibration, TheLiveReadingsShowTheMeasuredValueAndTheTemperatureItsSourceGives) {
    for (const int source : {0, 1}) {
        PhBench b;
        b.module->script("tco.t", {{static_cast<std::uint8_t>(source)}});
        b.module->script("C.Tem", {floatBytes(31.5F)});
        b.module->script("Rd.Rs", {floatBytes(6.86F)});
        b.module->script("Rd.Tm", {floatBytes(22.4F)});
        b.enterCode(kPh, kTwoPoints);
        CStepPage& step = b.stepPage(kStep1);
        ASSERT_TRUE(
            b.eventually([&] { return step.measuredValue().text() == "6.860" && b.module->readsOf("Rd.Rs") > 2; }));
        EXPECT_EQ(step.temperature().text(), source == 0 ? "22.400" : "31.500");
        EXPECT_EQ(b.module->readsOf("Rd.Tm") > 0, source == 0);
        if (source == 0) {
            step.bufferValue().setText("4,01");
            b.sheet.grab().save(test::shotPath("calibration_ph_step"));
        }
    }
}

TEST(PhCalibration, TheStatusKeepsThePointWaitingUntilItsMeasuringBitClears) {
    PhBench b;
    b.module->script("Rd.St", {{16}, {24}, {16}, {0}});
    b.enterCode(kPh, kOnePoint);
    b.takePoint("7");
    EXPECT_TRUE(b.stepPage(kStep1).busyShown());
    EXPECT_FALSE(b.button(QWizard::NextButton).isEnabled());
    EXPECT_FALSE(b.button(QWizard::BackButton).isEnabled());
    b.sheet.grab().save(test::shotPath("calibration_ph_point"));
    ASSERT_TRUE(b.onPage(kSave));
    EXPECT_GE(b.reads("Rd.St"), 4U);
    EXPECT_FALSE(b.stepPage(kStep1).busyShown());
    EXPECT_FALSE(b.phLink.readingsRunning());
    b.sheet.grab().save(test::shotPath("calibration_ph_save"));
}

TEST(PhCalibration, AStatusThatCouldNotBeReadDoesNotEndThePoint) {
    PhBench b;
    b.enterCode(kPh, kOnePoint);
    b.bench.doc.scannersBranch()->FindParameters("Rd.St", nullptr, nullptr, nullptr, 0)->valueText = "0";
    b.module->refuseReads("Rd.St", 3);
    b.module->script("Rd.St", {{0}});
    b.takePoint("7");
    ASSERT_TRUE(b.onPage(kSave));
    EXPECT_GE(b.reads("Rd.St"), 4U);
}

TEST(PhCalibration, ABufferValueThatIsNoNumberIsRefusedWithNothingSent) {
    PhBench b;
    b.enterCode(kPh, kOnePoint);
    b.stepPage(kStep1).bufferValue().setText("pH7");
    b.click(QWizard::NextButton);
    EXPECT_EQ(b.bench.ui.texts().back(), Text("IDS_STRING546"));
    EXPECT_EQ(b.bench.ui.messages.back().caption, Text("IDS_STRING547"));
    EXPECT_EQ(b.sheet.currentId(), kStep1);
    EXPECT_FALSE(b.stepPage(kStep1).measuringPoint());
    EXPECT_TRUE(b.phLink.readingsRunning());
    b.sheet.reject();
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(b.reads("Rd.St"), 0U);
    EXPECT_TRUE(b.writtenData("U.pH1").empty());
}

TEST(PhCalibration, TheSlopeIsJudgedWithBothEndsOfTheToleranceIncluded) {
    const struct {
        Bytes answer;
        std::string text;
        MessageIcon icon;
    } cases[] = {
        {floatBytes(0.96F), "Electrode slope deviation: 0.96", MessageIcon::Information},
        {floatBytes(1.1F), "Electrode slope deviation: 1.10", MessageIcon::Information},
        {floatBytes(0.95F),
         "Electrode slope deviation: 0.95.\r\n\r\n Electrode pair parameters out of tolerance. It is recommended "
         "to replace the electrodes.",
         MessageIcon::Warning},
        {floatBytes(1.11F),
         "Electrode slope deviation: 1.11.\r\n\r\n Electrode pair parameters out of tolerance. It is recommended "
         "to replace the electrodes.",
         MessageIcon::Warning},
        {{0xFF, 0xFF, 0xFF, 0xFF}, Text("IDS_STRING565"), MessageIcon::Warning},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        PhBench b;
        b.module->answerApply(c.answer);
        b.module->script("Rd.St", {{0}});
        b.enterCode(kPh, kOnePoint);
        b.takePoint("7");
        b.save();
        ASSERT_TRUE(b.closed());
        ASSERT_EQ(b.bench.ui.messages.size(), 2U);
        EXPECT_EQ(b.bench.ui.messages[1].text, c.text);
        EXPECT_EQ(b.bench.ui.messages[1].icon, c.icon);
        EXPECT_EQ(b.bench.ui.messages[1].caption, "Electrode pair parameters");
    }
}

TEST(PhCalibration, AFailedCalibrationAsksToRepeatAndRepeatStartsThePointsAgain) {
    PhBench b;
    b.module->script("Rd.St", {{8}});
    b.enterCode(kPh, kOnePoint);
    b.takePoint("7");
    b.save();
    ASSERT_TRUE(b.eventually([&] { return b.bench.ui.messages.size() == 2 && b.phLink.idle(); }));
    EXPECT_EQ(b.bench.ui.messages[1].text, Text("IDS_STRING560"));
    EXPECT_EQ(b.bench.ui.messages[1].caption, Text("IDS_STRING561"));
    EXPECT_EQ(b.bench.ui.messages[1].icon, MessageIcon::Warning);
    EXPECT_EQ(b.sheet.currentId(), kSave);
    EXPECT_EQ(b.button(QWizard::BackButton).text().toStdString(), Text("IDS_STRING559"));
    EXPECT_FALSE(b.button(QWizard::FinishButton).isEnabled());
    EXPECT_EQ(b.reads("E.Crd"), 1U);  // only the verification's

    b.module->script("Rd.St", {{0}});
    b.click(QWizard::BackButton);
    ASSERT_TRUE(b.onPage(kCode));
    EXPECT_EQ(b.button(QWizard::NextButton).text().toStdString(), Text("IDS_STRING535"));
    b.sheet.grab().save(test::shotPath("calibration_ph_code"));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kStep1));
    EXPECT_NE(b.button(QWizard::BackButton).text().toStdString(), Text("IDS_STRING559"));
    b.takePoint("7");
    b.save();
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    EXPECT_EQ(b.reads("E.Crd"), 2U);
}

TEST(PhCalibration, APointTheModuleDoesNotFinishInTimeEndsOnTheErrorPage) {
    PhBench b(1);
    b.module->script("Rd.St", {{16}});
    b.enterCode(kRedox, kTwoPoints);
    b.takePoint("250");
    ASSERT_TRUE(b.onPage(kError));
    EXPECT_EQ(b.sheet.errorPage()->instructionText(), Text("IDS_STRING526") + "\r\n\r\n" + Text("IDS_STRING672"));
    EXPECT_FALSE(b.stepPage(kStep1).busyShown());
    EXPECT_FALSE(b.stepPage(kStep1).measuringPoint());
    EXPECT_FALSE(b.phLink.readingsRunning());
    // Repeat: the code page with the choices kept.
    b.click(QWizard::FinishButton);
    ASSERT_TRUE(b.onPage(kCode));
    EXPECT_EQ(b.codePage().methodRow().list->currentIndex(), kRedox);
    EXPECT_EQ(b.codePage().pointsRow().list->currentIndex(), kTwoPoints);
}

TEST(PhCalibration, ClosingDuringAPointStopsTheReadingsAndTheClock) {
    PhBench b;
    b.module->script("Rd.St", {{16}});
    b.enterCode(kPh, kOnePoint);
    b.takePoint("7");
    ASSERT_TRUE(b.eventually([&] { return b.module->readsOf("Rd.St") > 1; }));
    b.sheet.reject();
    EXPECT_FALSE(b.stepPage(kStep1).measuringPoint());
    EXPECT_FALSE(b.stepPage(kStep1).busyShown());
    EXPECT_FALSE(b.phLink.readingsRunning());
    ASSERT_TRUE(b.eventually([&] { return b.phLink.idle(); }));
    EXPECT_FALSE(b.stepPage(kStep1).measuringPoint());
}

}  // namespace
}  // namespace vantor
