#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <atomic>
#include <cstring>
#include <set>

#include "calibration/strain/code_page.h"
#include "calibration/strain/strain_sheet.h"
#include "calibration/strain/user_value_pages.h"
#include "calibration/strain/weight_dialog.h"
#include "calibration_bench.h"
#include "link/device_io.h"
#include "protocol/frame.h"
#include "sim/calibration_settings.h"
#include "support/shot_path.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::ModuleSide;

using gui::CalibrationTD::CPage1VI;
using gui::CalibrationTD::CSheetTD;
using gui::CalibrationTD::CUserValuePage;
using Lines = std::vector<std::string>;

Bytes floatData(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

Bytes statusData(int status) { return {static_cast<std::uint8_t>(status >> 8), static_cast<std::uint8_t>(status)}; }

// What a refused write or read shows: the module's "busy" reply.
constexpr std::uint8_t kRefusal = 0x41;
const std::string& refusalText() {
    static const std::string text = DeviceErrorMessage(kRefusal);
    return text;
}

// The strain-gauge module's side of a calibration: it takes the commands for a channel
// (answering with what it was sent), measures the live signal the test sets, answers
// chosen reads with scripted data (one per read, the last repeating) and refuses chosen
// reads and writes or answers a write with nothing. Scripts are set before the module
// is asked; the signal may change at any time.
class StrainFirmware : public sim::ModuleHooks {
public:
    void script(const std::string& name, std::vector<Bytes> answers) {
        reads_[hash_name(name)] = {answers.begin(), answers.end()};
    }
    void refuseRead(const std::string& name) { refusedReads_.insert(hash_name(name)); }
    void refuseWrite(const std::string& name) { refusedWrites_.insert(hash_name(name)); }
    void answerWriteWithNothing(const std::string& name) { empty_.insert(hash_name(name)); }

    std::atomic<float> signal{1.0F};      // "Rd.fV", mV
    std::atomic<bool> signalLost{false};  // "Rd.fV" refused
    std::atomic<int> loadReads{0};        // reads of "Rd.fF" so far

    std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest& request, sim::ParameterTable&,
                                              std::int64_t) override {
        return request.read ? answerRead(request) : answerWrite(request);
    }

private:
    std::optional<sim::ModuleReply> answerRead(const sim::ModuleRequest& request) {
        if (request.hash == hash_name("Rd.fF")) ++loadReads;
        if (request.hash == hash_name("Rd.fV"))
            return signalLost ? refusal() : sim::ModuleReply{request.hash, floatData(signal)};
        if (refusedReads_.count(request.hash)) return refusal();
        const auto it = reads_.find(request.hash);
        if (it == reads_.end() || it->second.empty()) return std::nullopt;
        Bytes data = it->second.front();
        if (it->second.size() > 1) it->second.pop_front();
        return sim::ModuleReply{request.hash, data};
    }
    std::optional<sim::ModuleReply> answerWrite(const sim::ModuleRequest& request) {
        if (refusedWrites_.count(request.hash)) return refusal();
        if (empty_.count(request.hash)) return sim::ModuleReply{request.hash, {}};
        if (channelCommands_.count(request.hash)) return sim::ModuleReply{request.hash, request.data};
        return std::nullopt;
    }
    static sim::ModuleReply refusal() { return {kHashDeviceError, {kRefusal}}; }

    std::map<std::uint16_t, std::deque<Bytes>> reads_;
    std::set<std::uint16_t> refusedReads_;
    std::set<std::uint16_t> refusedWrites_;
    std::set<std::uint16_t> empty_;
    const std::set<std::uint16_t> channelCommands_{hash_name("zU.Sh"), hash_name("zU.Sc"), hash_name("U.Wgh")};
};

// Every name the calibration sends but the live signal, whose reads run on their own.
const Lines kStrainNames{"Sens",  "zU.Sh", "zU.Sc", "U.Apl", "Rd.St", "zu.fn", "zu.fx",
                         "v.min", "v.max", "INIT",  "U.Wgh", "p.wgh", "Rd.fF"};

// Who answers the calibration: the test's script, or the module's own firmware.
// A document on a KQ-15 or KQ-16, with the scripted strain-gauge firmware in front of
// the module unless the module's own is asked for.
struct StrainModuleBench : test::CalibrationBench {
    explicit StrainModuleBench(int model, ModuleSide side = ModuleSide::Scripted) : CalibrationBench(model) {
        if (side == ModuleSide::OwnFirmware) return;
        auto hooks = std::make_unique<StrainFirmware>();
        firmware = hooks.get();
        bench.module.setHooks(std::move(hooks));
    }

    // The frames sent so far as "r NAME data" / "w NAME data" (data in hex), for the
    // names of the calibration. Only asked while nothing is read live.
    Lines frames(const Lines& names = kStrainNames) const {
        std::map<std::uint16_t, std::string> byHash;
        for (const std::string& name : names) byHash[hash_name(name)] = name;
        Lines out;
        for (const ReceivedFrame& frame : bench.recorder.frames()) {
            const auto it = byHash.find(frame.hash);
            if (it == byHash.end()) continue;
            std::string line = std::string(frame.requestBit() ? "r " : "w ") + it->second;
            for (const std::uint8_t byte : frame.data) line += FormatTextArgs(" %02X", byte);
            out.push_back(line);
        }
        return out;
    }
    const test::RecordedMessage& onlyMessage() const {
        EXPECT_EQ(bench.ui.messages.size(), 1u);
        return bench.ui.messages.at(0);
    }

    StrainFirmware* firmware = nullptr;  // none: the module's own answers
};

constexpr int kCode = 0, kMin = 1, kMax = 2, kSave = 3, kUserMin = 4, kUserMax = 5, kUserSave = 6;

// The strain-gauge wizard, shown.
struct StrainBench : StrainModuleBench {
    explicit StrainBench(int model = test::kKq16, ModuleSide side = ModuleSide::Scripted)
        : StrainModuleBench(model, side), sheet(link) {
        sheet.show();
    }

    CPage1VI& codePage() { return *sheet.pageOf<CPage1VI>(); }
    CUserValuePage& valuePage(int id) { return *static_cast<CUserValuePage*>(sheet.pageAt(id)); }
    QAbstractButton& button(QWizard::WizardButton which) { return *sheet.button(which); }
    void click(QWizard::WizardButton which) {
        ASSERT_TRUE(button(which).isEnabled() && button(which).isVisible()) << button(which).text().toStdString();
        button(which).click();
    }
    // The right code, then the method, the channel (on a four-input module) and the
    // sensitivity (-1: none chosen), then Next.
    void choose(int method, int channel, int sensitivity = -1) {
        codePage().accessCode().setText("925");
        click(QWizard::NextButton);
        codePage().methodRow().list->setCurrentIndex(method);
        if (codePage().channelRow().shown()) codePage().channelRow().list->setCurrentIndex(channel);
        codePage().sensitivityRow().list->setCurrentIndex(sensitivity);
        click(QWizard::NextButton);
    }
    bool onPage(int id) {
        return eventually([&] { return sheet.currentId() == id && link.idle(); });
    }
    bool closed() {
        return eventually([&] { return !sheet.isVisible() && link.idle(); });
    }
    // On a user value page: waits for the live signal, types the values, Next.
    void enterPoint(int page, float signal, const QString& percent, const QString& units) {
        firmware->signal = signal;
        const QString shown = QString::fromStdString(FormatTextArgs("%.4f", static_cast<double>(signal)));
        ASSERT_TRUE(eventually([&] { return valuePage(page).signalField().text() == shown; })) << signal;
        valuePage(page).percentField().setText(percent);
        valuePage(page).unitsField().setText(units);
        click(QWizard::NextButton);
    }

    CSheetTD sheet;
};

TEST(StrainCalibration, FactoryPathOnTheThirdChannelSendsItsFramesInOrder) {
    StrainBench b;
    b.firmware->script("Rd.St", {statusData(16)});  // a bit outside the failure mask
    b.choose(CPage1VI::kFactory, 2, 4);
    ASSERT_TRUE(b.onPage(kMin));
    EXPECT_EQ(b.sheet.channel(), 2);
    EXPECT_EQ(b.sheet.currentPage()->title().toStdString(), Text("IDS_STRING581"));
    EXPECT_EQ(b.sheet.pageAt(kMin)->instructionText(), FormatText(Text("IDS_STRING582"), "-70"));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kMax));
    EXPECT_EQ(b.sheet.pageAt(kMax)->instructionText(), Text("IDS_STRING585"));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kSave));
    EXPECT_EQ(b.sheet.pageAt(kSave)->instructionText(), Text("IDS_STRING666"));
    EXPECT_EQ(b.button(QWizard::FinishButton).text().toStdString(), Text("IDS_STRING667"));
    b.click(QWizard::FinishButton);
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    // Channel 3 is data index 2; the status of the module and the commands that are not
    // the channel's go without an index.
    EXPECT_EQ(b.frames(), (Lines{"w Sens 04 00 02", "w zU.Sh 00 02", "w zU.Sc 00 02", "w U.Apl", "r Rd.St",
                                 "r Sens 00 00", "r Sens 00 01", "r Sens 00 02", "r Sens 00 03"}));
    EXPECT_EQ(b.bench.named("Sens", 2).valueText, "14 mV/V");
    EXPECT_TRUE(b.bench.ui.messages.empty());
}

TEST(StrainCalibration, FirstPageShowsItsChoicesStepByStepAndSendsNothingUntilComplete) {
    StrainBench b;
    CPage1VI& page = b.codePage();
    page.accessCode().setText("924");
    b.click(QWizard::NextButton);
    EXPECT_EQ(b.onlyMessage().text, Text("IDS_STRING579"));
    EXPECT_FALSE(page.methodRow().shown());

    page.accessCode().setText("925");
    b.click(QWizard::NextButton);
    // "user" is offered; the channel is the person's to choose.
    EXPECT_TRUE(page.methodRow().shown());
    EXPECT_EQ(page.methodRow().list->currentIndex(), CPage1VI::kUser);
    EXPECT_TRUE(page.channelRow().shown());
    EXPECT_EQ(page.channelRow().label->text().toStdString(), "\nSelect channel to calibrate");
    EXPECT_FALSE(page.sensitivityRow().shown());

    page.methodRow().list->setCurrentIndex(CPage1VI::kFactory);
    EXPECT_TRUE(page.sensitivityRow().shown());
    b.click(QWizard::NextButton);  // no channel yet: the method chosen stays
    EXPECT_EQ(page.methodRow().list->currentIndex(), CPage1VI::kFactory);
    page.channelRow().list->setCurrentIndex(1);
    b.click(QWizard::NextButton);  // no sensitivity yet
    EXPECT_EQ(b.sheet.currentId(), kCode);
    EXPECT_TRUE(b.bench.recorder.sent.empty());

    page.methodRow().list->setCurrentIndex(CPage1VI::kUser);
    EXPECT_FALSE(page.sensitivityRow().shown());
    page.methodRow().list->setCurrentIndex(CPage1VI::kFactory);
    page.sensitivityRow().list->setCurrentIndex(0);
    b.sheet.grab().save(test::shotPath("strain_code_page"));
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kMin));
    EXPECT_EQ(b.frames(), Lines{"w Sens 00 00 01"});
}

TEST(StrainCalibration, ListsNameTheChannelsAndEachSensitivityWithItsRange) {
    StrainBench b;
    const QComboBox& channels = *b.codePage().channelRow().list;
    ASSERT_EQ(channels.count(), 4);
    EXPECT_EQ(channels.itemText(3).toStdString(), "Channel №4");
    const QComboBox& methods = *b.codePage().methodRow().list;
    EXPECT_EQ(methods.itemText(0).toStdString() + "/" + methods.itemText(1).toStdString(), "factory/user");
    const QComboBox& sensitivities = *b.codePage().sensitivityRow().list;
    // The table's texts lose the blanks they begin with.
    const Lines expected{"0.8 mV/V(-4..+4 mV)",   "1.5 mV/V(-7.5..+7.5 mV)", "3 mV/V(-15..+15 mV)",
                         "7 mV/V(-35..+35 mV)",   "14 mV/V(-70..+70 mV)",    "28 mV/V(-140..+140 mV)",
                         "60 mV/V(-300..+300 mV)"};
    Lines offered;
    for (int i = 0; i < sensitivities.count(); ++i) offered.push_back(sensitivities.itemText(i).toStdString());
    EXPECT_EQ(offered, expected);

    // A module with an eighth sensitivity: there is no range known for it.
    Parameter eight("Sens");
    eight.type = "a:b:c:d:e:f:g:h";
    const CPage1VI page({{0, &eight}});
    EXPECT_EQ(page.sensitivityRow().list->itemText(6).toStdString(), "g(-300..+300 mV)");
    EXPECT_EQ(page.sensitivityRow().list->itemText(7).toStdString(), "h <no data>");
    EXPECT_EQ(page.channelRow().list->count(), 1);
}

TEST(StrainCalibration, OneInputModuleHasNoChannelListAndUsesItsOnlyInput) {
    StrainBench b(test::kKq15);
    b.firmware->script("Rd.St", {statusData(0)});
    b.choose(CPage1VI::kFactory, -1, 2);
    EXPECT_FALSE(b.codePage().channelRow().shown());
    ASSERT_TRUE(b.onPage(kMin));
    EXPECT_EQ(b.sheet.channel(), 0);
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.onPage(kMax));
    EXPECT_EQ(b.frames(), (Lines{"w Sens 02", "w zU.Sh"}));
}

TEST(StrainCalibration, RefusedSensitivityStaysOnTheFirstPageWithTheModulesReason) {
    StrainBench b;
    b.firmware->refuseWrite("Sens");
    b.choose(CPage1VI::kFactory, 0, 1);
    ASSERT_TRUE(b.onPage(kCode));
    const test::RecordedMessage& shown = b.onlyMessage();
    EXPECT_EQ(shown.text, refusalText());
    EXPECT_EQ(shown.caption, Text("IDS_STRING578"));
    EXPECT_EQ(shown.icon, MessageIcon::Warning);
    EXPECT_TRUE(b.button(QWizard::NextButton).isEnabled());
}

TEST(StrainCalibration, LimitMeasurementsStopOnARefusalButNotOnAnUndecodableReply) {
    const struct {
        const char* command;
        bool refused;  // else answered with nothing, which cannot be decoded
        int endsOn;
        const char* captionKey;  // of the message, null for none
    } cases[] = {
        {"zU.Sh", true, kMin, "IDS_STRING583"},
        {"zU.Sh", false, kMax, nullptr},
        {"zU.Sc", true, kMax, "IDS_STRING586"},
        {"zU.Sc", false, kSave, nullptr},
    };
    for (const auto& c : cases) {
        StrainBench b;
        if (c.refused)
            b.firmware->refuseWrite(c.command);
        else
            b.firmware->answerWriteWithNothing(c.command);
        b.choose(CPage1VI::kFactory, 0, 0);
        ASSERT_TRUE(b.onPage(kMin));
        b.click(QWizard::NextButton);
        if (std::string(c.command) == "zU.Sc") {
            ASSERT_TRUE(b.onPage(kMax));
            b.click(QWizard::NextButton);
        }
        ASSERT_TRUE(b.onPage(c.endsOn)) << c.command << " " << c.refused;
        if (!c.captionKey) {
            EXPECT_TRUE(b.bench.ui.messages.empty()) << c.command;
            continue;
        }
        EXPECT_EQ(b.onlyMessage().text, refusalText());
        EXPECT_EQ(b.onlyMessage().caption, Text(c.captionKey));
        EXPECT_TRUE(b.button(QWizard::NextButton).isEnabled());
    }
}

TEST(StrainCalibration, StatusAfterApplyingTellsSuccessOrOffersRepeat) {
    for (const int status : {16, 32, 256}) {
        StrainBench b;
        b.firmware->script("Rd.St", {statusData(status)});
        b.choose(CPage1VI::kFactory, 0, 0);
        ASSERT_TRUE(b.onPage(kMin));
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.onPage(kMax));
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.onPage(kSave));
        const QString back = b.button(QWizard::BackButton).text();
        b.click(QWizard::FinishButton);
        if (status == 16) {
            ASSERT_TRUE(b.closed());
            EXPECT_TRUE(b.bench.ui.messages.empty());
            continue;
        }
        ASSERT_TRUE(b.onPage(kSave)) << status;
        EXPECT_EQ(b.onlyMessage().text, Text("IDS_STRING589"));
        EXPECT_EQ(b.onlyMessage().icon, MessageIcon::Warning);
        EXPECT_EQ(b.button(QWizard::BackButton).text().toStdString(), Text("IDS_STRING588"));
        EXPECT_FALSE(b.button(QWizard::FinishButton).isEnabled());
        const Lines sent = b.frames();
        EXPECT_EQ(sent.back(), "r Rd.St") << "nothing read again after a failure";
        b.click(QWizard::BackButton);
        ASSERT_TRUE(b.onPage(kCode));
        EXPECT_EQ(b.button(QWizard::BackButton).text(), back);
        EXPECT_EQ(b.codePage().sensitivityRow().list->currentIndex(), 0);
    }
}

// The module's own firmware measures each limit at the reference it expects and leaves
// the outcome of applying them in its status: stored limits, or a failure and nothing
// stored.
TEST(StrainCalibration, FactoryPathAgreesWithTheModulesOwnFirmware) {
    for (const std::optional<int> failure : {std::optional<int>{}, std::optional<int>{32}}) {
        StrainBench b(test::kKq16, ModuleSide::OwnFirmware);
        b.bench.module.calibration().failNextJob = failure;
        b.choose(CPage1VI::kFactory, 2, 4);
        ASSERT_TRUE(b.onPage(kMin));
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.onPage(kMax));
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.onPage(kSave));
        b.click(QWizard::FinishButton);
        Lines expected{"w Sens 04 00 02", "w zU.Sh 00 02", "w zU.Sc 00 02", "w U.Apl", "r Rd.St"};
        const sim::CalibrationStore& stored = b.bench.module.calibrationStore();
        if (failure) {
            ASSERT_TRUE(b.onPage(kSave));
            EXPECT_EQ(b.bench.ui.texts(), Lines{Text("IDS_STRING589")});
            EXPECT_EQ(b.frames(), expected);
            EXPECT_TRUE(stored.empty());
            continue;
        }
        ASSERT_TRUE(b.closed());
        EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
        EXPECT_TRUE(b.bench.ui.messages.empty());
        expected.insert(expected.end(), {"r Sens 00 00", "r Sens 00 01", "r Sens 00 02", "r Sens 00 03"});
        EXPECT_EQ(b.frames(), expected);
        EXPECT_EQ(stored, (sim::CalibrationStore{{"lower.2", 0}, {"upper.2", 100}}));
        EXPECT_EQ(b.bench.named("Sens", 2).valueText, "14 mV/V");
    }
}

TEST(StrainCalibration, UserPathWritesTheLimitsOfItsTwoPoints) {
    StrainBench b;
    b.firmware->script("Rd.St", {statusData(16)});
    b.firmware->signalLost = true;
    b.choose(CPage1VI::kUser, 2);
    ASSERT_TRUE(b.onPage(kUserMin));
    CUserValuePage& lower = b.valuePage(kUserMin);
    EXPECT_EQ(lower.percentField().text(), "0");
    EXPECT_EQ(lower.unitsField().text(), "0.000");
    EXPECT_EQ(lower.instructionText(),
              Text("IDS_STRING601") + Text("IDS_STRING599") + "3 mV/V" + Text("IDS_STRING600") + "-15..+15 mV");
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return lower.signalField().text() == "no data"; }));
    b.firmware->signalLost = false;
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return lower.signalField().text() == "1.0000"; }));
    b.sheet.grab().save(test::shotPath("strain_user_lower_page"));
    b.enterPoint(kUserMin, 1.0F, "20", "2");
    ASSERT_TRUE(b.onPage(kUserMax));
    CUserValuePage& higher = b.valuePage(kUserMax);
    EXPECT_EQ(higher.percentField().text(), "100");
    EXPECT_EQ(higher.instructionText(), Text("IDS_STRING611") + "\r\n" + Text("IDS_STRING606") + "3 mV/V" +
                                            Text("IDS_STRING607") + "-15..+15 mV");
    b.enterPoint(kUserMax, 4.0F, "80", "8");
    ASSERT_TRUE(b.onPage(kUserSave));
    b.click(QWizard::FinishButton);
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    EXPECT_TRUE(b.bench.ui.messages.empty());
    // zu.fn 0.0, zu.fx 5.0, v.min 0.0, v.max 10.0 as floats, for data index 2.
    EXPECT_EQ(b.frames(),
              (Lines{"r Sens 00 02", "r Sens 00 02", "w zu.fn 00 00 00 00 00 02", "w zu.fx 40 A0 00 00 00 02",
                     "w U.Apl", "r Rd.St", "w v.min 00 00 00 00 00 02", "w v.max 41 20 00 00 00 02", "w INIT"}));
    EXPECT_EQ(b.bench.named("v.max", 2).valueText, "10.000");  // as the module answered
}

TEST(StrainCalibration, TypedValuesMustBeNumbersAndTheTwoPercentagesDiffer) {
    const std::string percentPart = Text("IDS_STRING597"), unitsPart = Text("IDS_STRING598");
    const struct {
        const char* percent;
        const char* units;
        std::string message;  // empty: accepted
    } cases[] = {
        {"12,5", "-0,75", {}},
        {"x", "1", FormatTextArgs(Text("IDS_STRING596"), percentPart.c_str(), "") + "."},
        {"1", "", FormatTextArgs(Text("IDS_STRING596"), "", unitsPart.c_str()) + "."},
        {"", "y", FormatTextArgs(Text("IDS_STRING596"), percentPart.c_str(), unitsPart.c_str()) + "."},
    };
    for (const auto& c : cases) {
        StrainBench b;
        b.choose(CPage1VI::kUser, 0);
        ASSERT_TRUE(b.onPage(kUserMin));
        b.enterPoint(kUserMin, 2.5F, c.percent, c.units);
        if (c.message.empty()) {
            ASSERT_TRUE(b.onPage(kUserMax));
            EXPECT_EQ(b.sheet.lower.percent, 12.5F);
            EXPECT_EQ(b.sheet.lower.units, -0.75F);
            EXPECT_EQ(b.sheet.lower.signal, 2.5F);
            // The same percentage again gives no line: refused before anything is sent.
            b.enterPoint(kUserMax, 3.0F, "12.5", "9");
            EXPECT_EQ(b.onlyMessage().text, Text("IDS_STRAIN_SAME_PERCENT"));
            EXPECT_EQ(b.sheet.currentId(), kUserMax);
            continue;
        }
        EXPECT_EQ(b.sheet.currentId(), kUserMin) << c.percent;
        EXPECT_EQ(b.onlyMessage().text, c.message);
        EXPECT_EQ(b.onlyMessage().caption, "");  // the program's title
        EXPECT_EQ(b.onlyMessage().icon, MessageIcon::Warning);
    }
}

TEST(StrainCalibration, UserSaveStopsAtTheFirstFailureAndReturnsToTheFirstPage) {
    const struct {
        const char* refused;  // write refused, or null
        int status;
        std::string message;
        std::string lastFrame;
    } cases[] = {
        {"zu.fn", 0, refusalText(), "w zu.fn 00 00 00 00 00 00"},
        {"zu.fx", 0, refusalText(), "w zu.fx 40 A0 00 00 00 00"},
        {nullptr, 32, Text("IDS_STRING592"), "r Rd.St"},
        {"v.min", 0, Text("IDS_STRING593"), "w v.min 00 00 00 00 00 00"},
        {"v.max", 0, Text("IDS_STRING594"), "w v.max 41 20 00 00 00 00"},
    };
    for (const auto& c : cases) {
        StrainBench b;
        if (c.refused) b.firmware->refuseWrite(c.refused);
        b.firmware->script("Rd.St", {statusData(c.status)});
        b.choose(CPage1VI::kUser, 0);
        ASSERT_TRUE(b.onPage(kUserMin));
        b.enterPoint(kUserMin, 1.0F, "20", "2");
        ASSERT_TRUE(b.onPage(kUserMax));
        b.enterPoint(kUserMax, 4.0F, "80", "8");
        ASSERT_TRUE(b.onPage(kUserSave));
        b.click(QWizard::FinishButton);
        ASSERT_TRUE(b.onPage(kCode)) << c.message;
        EXPECT_EQ(b.onlyMessage().text, c.message);
        EXPECT_EQ(b.onlyMessage().icon, MessageIcon::Warning);
        EXPECT_EQ(b.frames().back(), c.lastFrame);
    }
}

// The tare dialog of a KQ-15 or KQ-16, shown.
struct TareBench : StrainModuleBench {
    explicit TareBench(int model = test::kKq16, ModuleSide side = ModuleSide::Scripted)
        : StrainModuleBench(model, side) {}

    // Opens the dialog on channel `channel` (0-based).
    gui::CWeightTDDlg& open(int channel = 0) {
        dialog = std::make_unique<gui::CWeightTDDlg>(link);
        dialog->channelList().setCurrentIndex(channel);
        dialog->show();
        return *dialog;
    }
    bool closed() {
        return eventually([&] { return !dialog->isVisible() && link.idle(); });
    }

    std::unique_ptr<gui::CWeightTDDlg> dialog;
};

TEST(TareWeight, ShowsTheLoadOfTheChosenChannelAndYesTakesIt) {
    TareBench b;
    b.firmware->script("Rd.fF", {floatData(12.3456F)});
    gui::CWeightTDDlg& dialog = b.open();
    EXPECT_TRUE(dialog.channelList().isVisible());
    EXPECT_EQ(dialog.channelList().currentText(), "1");
    dialog.channelList().setCurrentIndex(2);
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return dialog.weightField().text() == "12.346"; }));
    dialog.grab().save(test::shotPath("strain_tare_weight"));
    dialog.yesButton().click();
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    Lines sent = b.frames();
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(Lines(sent.end() - 3, sent.end()), (Lines{"w U.Wgh 00 02", "w INIT", "r p.wgh 00 02"}));
    // The load is read from the channel's own address.
    const std::vector<ReceivedFrame> frames = b.bench.recorder.frames();
    const auto lastLoad = std::find_if(frames.rbegin(), frames.rend(),
                                       [](const ReceivedFrame& f) { return f.hash == hash_name("Rd.fF"); });
    ASSERT_NE(lastLoad, frames.rend());
    EXPECT_EQ(lastLoad->address(8), 16 + 2);
    EXPECT_TRUE(b.bench.ui.messages.empty());
}

TEST(TareWeight, TheModulesOwnFirmwareTakesTheLoadShownAsTheTare) {
    TareBench b(test::kKq16, ModuleSide::OwnFirmware);
    // 80 % of the channel's -15..+15 mV is 9 mV; its scaling makes 0..15 mV 0..1000 units.
    b.bench.module.calibration().signalPercent = 80;
    gui::CWeightTDDlg& dialog = b.open(2);
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return dialog.weightField().text() == "600.000"; }));
    dialog.yesButton().click();
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(b.frames({"U.Wgh", "INIT", "p.wgh"}), (Lines{"w U.Wgh 00 02", "w INIT", "r p.wgh 00 02"}));
    EXPECT_EQ(b.bench.named("p.wgh", 2).valueText, "600.000");
    EXPECT_TRUE(b.bench.ui.messages.empty());
}

TEST(TareWeight, AFailedReadShowsNoData) {
    TareBench b;
    b.firmware->refuseRead("Rd.fF");
    gui::CWeightTDDlg& dialog = b.open();
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return dialog.weightField().text() == "no data"; }));
    dialog.noButton().click();
    ASSERT_TRUE(b.closed());
}

TEST(TareWeight, ARefusedTareIsToldAndTheDialogStaysAndReadsOn) {
    TareBench b;
    b.firmware->refuseWrite("U.Wgh");
    gui::CWeightTDDlg& dialog = b.open(1);
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.firmware->loadReads > 0; }));
    dialog.yesButton().click();
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !b.bench.ui.messages.empty(); }));
    EXPECT_EQ(b.onlyMessage().text, Text("IDS_STRING719"));
    EXPECT_EQ(b.onlyMessage().icon, MessageIcon::Warning);
    EXPECT_TRUE(dialog.isVisible());
    const int readsBefore = b.firmware->loadReads;
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.firmware->loadReads > readsBefore; }));
    dialog.noButton().click();
    ASSERT_TRUE(b.closed());
    const Lines sent = b.frames({"U.Wgh", "INIT", "p.wgh"});
    EXPECT_EQ(sent, Lines{"w U.Wgh 00 01"});
}

TEST(TareWeight, NoClosesWithoutWriting) {
    for (const int model : {test::kKq16, test::kKq15}) {
        TareBench b(model);
        gui::CWeightTDDlg& dialog = b.open();
        EXPECT_EQ(dialog.channelList().isVisible(), model == test::kKq16);
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.firmware->loadReads > 1; }));
        dialog.noButton().click();
        ASSERT_TRUE(b.closed());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        for (const ReceivedFrame& frame : b.bench.recorder.frames()) EXPECT_TRUE(frame.requestBit()) << frame.hash;
    }
}

TEST(TareWeight, OneInputModuleTakesTheTareOfItsOnlyInput) {
    TareBench b(test::kKq15);
    gui::CWeightTDDlg& dialog = b.open();
    EXPECT_FALSE(dialog.channelList().isVisible());
    ASSERT_TRUE(test::CalibrationBench::eventually([&] { return b.firmware->loadReads > 0; }));
    dialog.yesButton().click();
    ASSERT_TRUE(b.closed());
    EXPECT_EQ(b.frames({"U.Wgh", "INIT", "p.wgh"}), (Lines{"w U.Wgh", "w INIT", "r p.wgh"}));
}

}  // namespace
}  // namespace vantor
