#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "calibration/framework/calibration_link.h"
#include "calibration/module/calibration_method_dialog.h"
#include "calibration/module/input_calibration_dialog.h"
#include "calibration/module/output_calibration_dialog.h"
#include "calibration/procedures.h"
#include "calibration_bench.h"
#include "dialogs/dialog_bench.h"
#include "link/device_io.h"
#include "models/calibration_functions.h"
#include "protocol/name_hash.h"
#include "sim/calibration_settings.h"
#include "sim/module_hooks.h"
#include "support/document_bench.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::ModuleSide;

using gui::CalibrationLink;
using gui::CalibrationTiming;
using gui::Dialogs::CCalibrate1;
using gui::Dialogs::CCalibrate2;
using gui::Dialogs::CCalibration;
using gui::Dialogs::InputCalibrationRun;
using Lines = std::vector<std::string>;
using FollowUp = CCalibrate2::FollowUp;

constexpr int kKq01 = 0;
constexpr int kKq03 = 2;
constexpr int kKq09 = 8;
constexpr std::uint8_t kBusyCode = 0x41;  // the module's "other task is performed"

// The calibration functions as a test scripts them: the replies given to `script` in
// turn, then the one given to `always`, else what the module itself answers. A missing
// reply (none) is the module's refusal with kBusyCode.
class ScriptedFunctions : public sim::ModuleHooks {
public:
    using Reply = std::optional<Bytes>;

    void script(const char* name, std::vector<Reply> replies) {
        const std::lock_guard lock(mutex_);
        scripts_[hash_name(name)] = {replies.begin(), replies.end()};
    }
    void always(const char* name, Reply reply) {
        const std::lock_guard lock(mutex_);
        always_[hash_name(name)] = std::move(reply);
    }

    std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest& request, sim::ParameterTable&,
                                              std::int64_t) override {
        const std::lock_guard lock(mutex_);
        Reply reply;
        if (auto queued = scripts_.find(request.hash); queued != scripts_.end() && !queued->second.empty()) {
            reply = queued->second.front();
            queued->second.pop_front();
        } else if (const auto it = always_.find(request.hash); it != always_.end()) {
            reply = it->second;
        } else {
            return std::nullopt;
        }
        if (!reply) return sim::ModuleReply{hash_name("n.Err"), {kBusyCode}};
        return sim::ModuleReply{request.hash, *reply};
    }

private:
    std::mutex mutex_;
    std::map<std::uint16_t, std::deque<Reply>> scripts_;
    std::map<std::uint16_t, Reply> always_;
};

// A frame as "NAME ? data" for a read, "NAME = data" for a write, the bytes in decimal.
std::string describe(const ReceivedFrame& frame) {
    static const std::map<std::uint16_t, std::string> names = [] {
        std::map<std::uint16_t, std::string> known;
        for (const char* name :
             {"CLB.I", "CLB.S", "CLB.T", "CLB.G", "CLB.P", "CLB.A", "CLB.K", "in-t", "POUt", "M.s.t.r."})
            known[hash_name(name)] = name;
        return known;
    }();
    const auto name = names.find(frame.hash);
    std::string text = name != names.end() ? name->second : FormatTextArgs("0x%04X", unsigned{frame.hash});
    text += frame.requestBit() ? " ?" : " =";
    for (const std::uint8_t byte : frame.data) text += " " + std::to_string(byte);
    return text;
}

const std::string kBusyText = DeviceErrorMessage(kBusyCode);
const Bytes kCoefficientOne = {0x01, 0x3F, 0x80, 0x00, 0x00};  // 1.0

QString keyed(const char* key) { return QString::fromStdString(TextByKey(key)); }
std::string shown(const std::string& text) { return gui::shownText(text).toStdString(); }

template <class Widget>
Widget& child(QWidget& parent, const char* name) {
    auto* widget = parent.findChild<Widget*>(name);
    if (!widget) throw std::runtime_error(std::string("no widget ") + name);
    return *widget;
}

QPushButton& button(QWidget& parent, const QString& text) {
    for (QPushButton* candidate : parent.findChildren<QPushButton*>())
        if (candidate->text() == text) return *candidate;
    throw std::runtime_error("no button " + text.toStdString());
}

// Who answers the calibration functions: the test's script, or the module's own firmware.
// A document of the model whose module answers the scripted calibration functions (or
// runs its own), and the calibration link with waits of a millisecond.
struct CalibrationBench {
    explicit CalibrationBench(int model, ModuleSide side = ModuleSide::Scripted) : bench(model) {
        EXPECT_TRUE(bench.doc.OnNewDocument());
        bench.recorder.sent.clear();
        if (side == ModuleSide::OwnFirmware) return;
        auto hooks = std::make_unique<ScriptedFunctions>();
        functions = hooks.get();
        bench.module.setHooks(std::move(hooks));
        // A module whose calibration goes well.
        functions->always("CLB.I", Bytes{0x00, 0x00});
        functions->always("CLB.S", Bytes{0x80, 0x00});
        functions->always("CLB.T", Bytes{0x00, 0x80, 0x00});
        functions->always("CLB.G", kCoefficientOne);
        functions->always("CLB.P", Bytes{0xC0, 0x00});
        functions->always("CLB.A", Bytes{0x00, 0x00});
    }

    Lines sent() const {
        Lines lines;
        for (const ReceivedFrame& frame : bench.recorder.frames()) lines.push_back(describe(frame));
        return lines;
    }
    std::size_t count(const char* name) const { return bench.recorder.framesWithHash(hash_name(name)); }
    bool settled(const QDialog& dialog, const std::function<bool()>& busy) {
        return test::eventually([&] { return !busy() && link.idle(); }) || dialog.isHidden();
    }
    std::vector<test::RecordedMessage>& messages() { return bench.ui.messages; }

    test::DocumentBench bench;
    ScriptedFunctions* functions = nullptr;  // none: the module's own firmware answers
    CalibrationLink link{bench.doc, CalibrationTiming::quick()};
};

// ---- the input calibration

struct InputCalibrationBench : CalibrationBench {
    explicit InputCalibrationBench(InputCalibrationRun run, int model = kKq01, ModuleSide side = ModuleSide::Scripted)
        : CalibrationBench(model, side), dialog(std::make_unique<CCalibrate2>(link, std::move(run))) {
        dialog->show();
    }
    // Next, and what the dialog shows once the step has run.
    std::string next() {
        button(*dialog, keyed("IDD_CALIBRATE2_IDOK")).click();
        EXPECT_TRUE(test::eventually([&] { return !dialog->busy() && link.idle(); }));
        return dialog->text().toStdString();
    }
    bool nextEnabled() { return button(*dialog, keyed("IDD_CALIBRATE2_IDOK")).isEnabled(); }
    // The dialog discarded, and its last word on the line.
    void discard() {
        dialog.reset();
        EXPECT_TRUE(test::eventually([&] { return link.idle(); }));
    }

    std::unique_ptr<CCalibrate2> dialog;
};

TEST(InputCalibration, AValveIsCalibratedClosedThenOpenOnItsInput) {
    InputCalibrationBench s({4, Text("IDS_STRING446"), 2});
    s.functions->script("CLB.S", {Bytes{0x00, 0x00}, Bytes{0x80, 0x00}});  // busy once, then done
    EXPECT_EQ(s.dialog->text().toStdString(), shown(Text("IDS_STRING743")));

    EXPECT_EQ(s.next(), shown(Text("IDS_STRING807")));
    EXPECT_EQ(s.next(), shown(CoefficientReportText(4, {1.0F})));
    EXPECT_EQ(s.next(), shown(Text("IDS_STRING787")));
    EXPECT_EQ(s.sent(), (Lines{"CLB.I = 2 4", "CLB.S ?", "CLB.S ?", "CLB.T ?", "CLB.G ? 1", "CLB.P =", "CLB.A ="}));
    EXPECT_EQ(s.dialog->windowTitle(), keyed("IDD_CALIBRATE2_CAPTION"));  // type 4 keeps its caption

    s.bench.recorder.sent.clear();
    EXPECT_EQ(s.next(), shown(Text("IDS_STRING807")));
    EXPECT_EQ(s.next(), shown(CoefficientReportText(4, {1.0F})));
    EXPECT_EQ(s.next(), shown(Text("IDS_STRING751")));
    s.bench.ui.answers = {MessageAnswer::Yes};  // leave calibration mode
    s.next();
    EXPECT_TRUE(s.dialog->isHidden());
    EXPECT_EQ(s.dialog->result(), QDialog::Accepted);
    EXPECT_EQ(s.dialog->followUp(), FollowUp::None);
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0].text, Text("IDS_STRING790"));
    EXPECT_EQ(s.messages()[0].caption, "\"Message\"");
    s.discard();
    EXPECT_EQ(s.sent(), (Lines{"CLB.I = 130 4", "CLB.S ?", "CLB.T ?", "CLB.G ? 1", "CLB.P =", "CLB.A =", "CLB.A ="}));
}

// The module's own firmware: a measurement busy for a few polls, then the coefficients
// it found, checked and stored; or the failure or the invalid coefficient it names.
TEST(InputCalibration, TheModulesOwnFirmwareFindsChecksAndStoresTheCoefficients) {
    const Lines measured{"CLB.I = 3", "CLB.S ?", "CLB.S ?", "CLB.S ?"};
    Lines stored = measured;
    stored.insert(stored.end(), {"CLB.T ?", "CLB.G ? 1", "CLB.G ? 2", "CLB.G ? 3", "CLB.G ? 4", "CLB.P ="});
    Lines invalidSecond = measured;
    invalidSecond.insert(invalidSecond.end(), {"CLB.T ?", "CLB.G ? 2"});
    struct Case {
        const char* what;
        std::optional<int> failure;
        std::optional<int> invalid;
        std::vector<std::string> shown;  // after each Next
        Lines sent;
        sim::CalibrationStore stored;
    };
    const Case cases[] = {
        {"calibrated",
         std::nullopt,
         std::nullopt,
         {Text("IDS_STRING807"), CoefficientReportText(3, {1.0F, 0.998F, 1.002F, 0.999F}), Text("IDS_STRING750")},
         stored,
         {{"type3.k1", 1.0}, {"type3.k2", 0.998}, {"type3.k3", 1.002}, {"type3.k4", 0.999}}},
        {"measurement failed", 4, std::nullopt, {Text("IDS_STRING805") + Text("IDS_STRING821")}, measured, {}},
        {"second coefficient invalid",
         std::nullopt,
         2,
         {Text("IDS_STRING807"), InvalidCoefficientText(3, static_cast<float>(0.998 * 1.5))},
         invalidSecond,
         {}},
    };
    for (const Case& c : cases) {
        InputCalibrationBench s({3, Text("IDS_STRING446"), 0}, kKq09, ModuleSide::OwnFirmware);
        s.bench.module.calibration().failNextJob = c.failure;
        s.bench.module.calibration().invalidCoefficient = c.invalid;
        for (const std::string& text : c.shown) EXPECT_EQ(s.next(), shown(text)) << c.what;
        EXPECT_EQ(s.sent(), c.sent) << c.what;
        EXPECT_EQ(s.nextEnabled(), !c.failure) << c.what;
        EXPECT_TRUE(s.messages().empty()) << c.what;
        EXPECT_EQ(s.bench.module.calibrationStore(), c.stored) << c.what;
    }
}

TEST(InputCalibration, AnotherInputAfterTheValveMeansChoosingAgain) {
    InputCalibrationBench s({4, Text("IDS_STRING446"), 0});
    for (int step = 0; step < 6; ++step) s.next();
    EXPECT_EQ(s.dialog->text().toStdString(), shown(Text("IDS_STRING751")));
    s.bench.ui.answers = {MessageAnswer::No};
    s.next();
    EXPECT_EQ(s.dialog->followUp(), FollowUp::ChooseAgain);
}

TEST(InputCalibration, TheMeasurementIsJudgedByTheLastPollOfTwelveAtMost) {
    struct Case {
        const char* what;
        std::optional<Bytes> state;  // every poll's reply
        std::string text;
        bool nextEnabled;
    };
    const Case cases[] = {
        {"never done, status 0", Bytes{0x00, 0x00}, Text("IDS_STRING807"), true},
        {"never done, status 4", Bytes{0x00, 0x04}, Text("IDS_STRING805") + Text("IDS_STRING821"), false},
        {"never answered", std::nullopt, Text("IDS_STRING805") + Text("IDS_STRING802"), false},
    };
    for (const Case& c : cases) {
        InputCalibrationBench s({1, Text("IDS_STRING448"), 0});
        s.functions->always("CLB.S", c.state);
        EXPECT_EQ(s.next(), shown(c.text)) << c.what;
        EXPECT_EQ(s.count("CLB.S"), 12u) << c.what;
        EXPECT_EQ(s.sent().front(), "CLB.I = 1") << c.what;
        EXPECT_EQ(s.nextEnabled(), c.nextEnabled) << c.what;
        EXPECT_TRUE(s.messages().empty()) << c.what;
    }

    // Done on the second poll, with a status: the reason is shown and only Cancel is left.
    InputCalibrationBench s({1, Text("IDS_STRING448"), 0});
    s.functions->script("CLB.S", {Bytes{0x00, 0x00}, Bytes{0x80, 0x07}});
    EXPECT_EQ(s.next(), shown(Text("IDS_STRING805") + Text("IDS_STRING824")));
    EXPECT_EQ(s.count("CLB.S"), 2u);
    EXPECT_FALSE(s.nextEnabled());
    s.next();
    EXPECT_EQ(s.count("CLB.T"), 0u);
}

TEST(InputCalibration, AnInvalidCoefficientEndsInTheQuestionToRepeat) {
    InputCalibrationBench s({1, Text("IDS_STRING448"), 0});
    s.functions->always("CLB.T", Bytes{0x02, 0x80, 0x04});
    s.next();
    const std::string text = s.next();
    EXPECT_EQ(text, shown(InvalidCoefficientText(1, 1.0F)));
    EXPECT_NE(text.find("Invalid coefficient value 1.000000"), std::string::npos);
    EXPECT_EQ(s.sent(), (Lines{"CLB.I = 1", "CLB.S ?", "CLB.T ?", "CLB.G ? 2"}));

    s.bench.ui.answers = {MessageAnswer::Yes};
    s.next();
    EXPECT_TRUE(s.dialog->isHidden());
    EXPECT_EQ(s.dialog->followUp(), FollowUp::Repeat);
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0].text, Text("IDS_STRING792"));
    EXPECT_EQ(s.messages()[0].caption, Text("IDS_STRING793"));
    EXPECT_EQ(s.messages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(s.sent().back(), "CLB.A =");

    // The thermocouple calibration names its own possible reasons.
    InputCalibrationBench thermocouple({2, Text("IDS_STRING446"), 0});
    thermocouple.functions->always("CLB.T", Bytes{0x01, 0x80, 0x00});
    thermocouple.next();
    EXPECT_NE(thermocouple.next().find("Possible reasons:"), std::string::npos);
}

TEST(InputCalibration, TheCoefficientsOfTheTypeAreReadAndShown) {
    InputCalibrationBench s({3, Text("IDS_STRING446"), 0}, kKq09);
    s.functions->script("CLB.G", {kCoefficientOne, Bytes{0x02, 0x40, 0x00, 0x00, 0x00},  // 2.0
                                  Bytes{0x03, 0x00},                                     // no value: 2.0 stays
                                  Bytes{0x04, 0xBF, 0x00, 0x00, 0x00}});
    EXPECT_EQ(s.dialog->text().toStdString(), shown(Text("IDS_STRING742")));
    s.next();
    EXPECT_EQ(s.next(), shown(CoefficientReportText(3, {1.0F, 2.0F, 2.0F, -0.5F})));
    test::saveShot(*s.dialog, "input_calibration_coefficients");
    EXPECT_EQ(s.sent(), (Lines{"CLB.I = 3", "CLB.S ?", "CLB.T ?", "CLB.G ? 1", "CLB.G ? 2", "CLB.G ? 3", "CLB.G ? 4"}));
    EXPECT_EQ(s.next(), shown(Text("IDS_STRING750")));
    EXPECT_EQ(s.dialog->windowTitle().toStdString(), Text("IDS_STRING782"));
    EXPECT_EQ(s.sent().back(), "CLB.P =");
}

TEST(InputCalibration, AFailedCoefficientReadIsReportedAndRepeatedOrSkipped) {
    struct Case {
        int type;
        Lines reads;  // the check and the "CLB.G" frames
    };
    const Case cases[] = {
        {1, {"CLB.T ?", "CLB.G ? 1", "CLB.G ? 1"}},                            // read again
        {3, {"CLB.T ?", "CLB.G ? 1", "CLB.G ? 2", "CLB.G ? 3", "CLB.G ? 4"}},  // the next one
    };
    for (const Case& c : cases) {
        InputCalibrationBench s({c.type, Text("IDS_STRING446"), 0});
        s.functions->script("CLB.G", {std::nullopt});
        s.next();
        s.bench.recorder.sent.clear();
        s.bench.ui.answers = {MessageAnswer::Ok, MessageAnswer::Yes};
        s.next();
        EXPECT_EQ(s.sent(), c.reads) << c.type;
        ASSERT_EQ(s.messages().size(), 2u) << c.type;
        EXPECT_EQ(s.messages()[0].text, kBusyText);
        EXPECT_EQ(s.messages()[0].caption, "Error" + CoefficientReadLabel(c.type));
        EXPECT_EQ(s.messages()[1].text, Text("IDS_STRING809"));
        EXPECT_EQ(s.messages()[1].caption, Text("IDS_STRING810"));
        EXPECT_EQ(s.messages()[1].buttons, MessageButtons::YesNo);
    }
}

TEST(InputCalibration, NoToAReportClosesAndOnlyTheDiscardLeavesCalibration) {
    InputCalibrationBench s({1, Text("IDS_STRING448"), 0});
    s.functions->always("CLB.I", std::nullopt);
    s.bench.ui.answers = {MessageAnswer::Ok, MessageAnswer::Yes, MessageAnswer::Ok, MessageAnswer::No};
    s.next();
    EXPECT_TRUE(s.dialog->isHidden());
    EXPECT_EQ(s.dialog->result(), QDialog::Rejected);
    EXPECT_EQ(s.sent(), (Lines{"CLB.I = 1", "CLB.I = 1"}));
    ASSERT_EQ(s.messages().size(), 4u);
    EXPECT_EQ(s.messages()[0].caption, "Error(Starting calibration)");
    s.discard();
    EXPECT_EQ(s.sent(), (Lines{"CLB.I = 1", "CLB.I = 1", "CLB.A ="}));
}

TEST(InputCalibration, AStoreRefusedFourTimesAsksWhetherToStartAgain) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        InputCalibrationBench s({1, Text("IDS_STRING448"), 0});
        s.functions->always("CLB.P", Bytes{0x00, 0x0F});
        s.next();
        s.next();
        s.bench.recorder.sent.clear();
        s.bench.ui.answers = {answer};
        s.next();
        EXPECT_EQ(s.sent(), (Lines{"CLB.P =", "CLB.P =", "CLB.P =", "CLB.P =", "CLB.A ="}));
        ASSERT_EQ(s.messages().size(), 1u);
        EXPECT_EQ(s.messages()[0].text, CalibrationStatusText(15) + Text("IDS_STRING811"));
        EXPECT_EQ(s.messages()[0].caption, Text("IDS_STRING812"));
        EXPECT_TRUE(s.dialog->isHidden());
        EXPECT_EQ(s.dialog->followUp(), answer == MessageAnswer::Yes ? FollowUp::ChooseAgain : FollowUp::None);
    }

    // No reply at all: the error, then the store's own question; No leaves calibration.
    InputCalibrationBench s({1, Text("IDS_STRING448"), 0});
    s.functions->always("CLB.P", std::nullopt);
    s.next();
    s.next();
    s.bench.recorder.sent.clear();
    s.bench.ui.answers = {MessageAnswer::Ok, MessageAnswer::No};
    s.next();
    EXPECT_EQ(s.sent(), (Lines{"CLB.P =", "CLB.A ="}));
    ASSERT_EQ(s.messages().size(), 2u);
    EXPECT_EQ(s.messages()[0].caption, "Error(saving of coefficient)");
    EXPECT_EQ(s.messages()[1].caption, Text("IDS_STRING786"));
    EXPECT_TRUE(s.dialog->isHidden());
}

TEST(InputCalibration, ClosingWhileTheModuleWorksLeavesCalibrationAndStopsThePolls) {
    struct Case {
        const char* how;
        bool discard;  // the dialog object goes at once
    };
    for (const Case& c : {Case{"cancel", false}, Case{"discard", true}}) {
        InputCalibrationBench s({1, Text("IDS_STRING448"), 0});
        button(*s.dialog, keyed("IDD_CALIBRATE2_IDOK")).click();
        EXPECT_TRUE(s.dialog->busy());
        if (c.discard)
            s.dialog.reset();
        else
            s.dialog->reject();
        ASSERT_TRUE(test::eventually([&] { return s.link.idle(); }));
        EXPECT_EQ(s.sent(), (Lines{"CLB.I = 1", "CLB.A ="})) << c.how;
        EXPECT_TRUE(s.messages().empty());
    }
}

// ---- the choice of the method

struct MethodBench : CalibrationBench {
    MethodBench() : CalibrationBench(kKq01), dialog(link) { dialog.show(); }
    void choose(int method, std::optional<int> sensor, int code) {
        child<QComboBox>(dialog, "method").setCurrentIndex(method);
        if (sensor) child<QComboBox>(dialog, "sensor").setCurrentIndex(*sensor);
        child<QSpinBox>(dialog, "accessCode").setValue(code);
    }
    void next() {
        button(dialog, keyed("IDD_CALIBRATE1_IDOK")).click();
        EXPECT_TRUE(test::eventually([&] { return !dialog.busy() && link.idle(); }));
    }
    CCalibrate1 dialog;
};

TEST(CalibrationMethod, AValveInputIsSetToTheSensorBeforeTheCalibration) {
    MethodBench s;
    s.choose(4, 0, InputCalibrationAccessCode(4));
    child<QComboBox>(s.dialog, "channel").setCurrentIndex(2);
    test::saveShot(s.dialog, "calibration_method");
    s.next();
    EXPECT_TRUE(s.dialog.isHidden());
    EXPECT_EQ(s.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(s.sent(), (Lines{"in-t = 26 0 2", "in-t ? 0 2"}));
    EXPECT_EQ(s.dialog.choice().type, 4);
    EXPECT_EQ(s.dialog.choice().sensorCode, 26);
    EXPECT_EQ(s.dialog.choice().channel, 2);
    EXPECT_EQ(s.bench.named("in-t", 2).valueText, "0-900 ohm position transmitter");
    EXPECT_TRUE(s.messages().empty());
}

TEST(CalibrationMethod, AFailedInputTypeIsAskedAboutAndRepeated) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        MethodBench s;
        s.functions->script("in-t", {std::nullopt});
        s.choose(1, 8, InputCalibrationAccessCode(1));  // "RTD Cu100"
        s.bench.ui.answers = {answer};
        s.next();
        ASSERT_EQ(s.messages().size(), 1u);
        EXPECT_EQ(s.messages()[0].text, kBusyText + Text("IDS_STRING738"));
        EXPECT_EQ(s.messages()[0].caption, Text("IDS_STRING739"));
        const Lines once = {"in-t = 1 0 0", "in-t ? 0 0"};
        EXPECT_EQ(s.sent(), answer == MessageAnswer::Yes ? (Lines{once[0], once[1], once[0], once[1]}) : once);
        EXPECT_TRUE(s.dialog.isHidden());
        EXPECT_EQ(s.dialog.result(), answer == MessageAnswer::Yes ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST(CalibrationMethod, EveryFourthWrongCodeCloses) {
    auto wrong = [](MethodBench& s) {
        s.choose(3, std::nullopt, InputCalibrationAccessCode(3) + 1);
        s.next();
    };
    MethodBench s;
    s.choose(1, std::nullopt, InputCalibrationAccessCode(1));  // a right code, no sensor: nothing else happens
    s.next();
    EXPECT_TRUE(s.messages().empty());
    for (int i = 0; i < 3; ++i) wrong(s);
    EXPECT_TRUE(s.dialog.isVisible());
    ASSERT_EQ(s.messages().size(), 3u);
    EXPECT_EQ(s.messages()[0].text, Text("IDS_STRING729"));
    EXPECT_EQ(s.messages()[0].caption, Text("IDS_STRING730"));
    wrong(s);
    EXPECT_TRUE(s.dialog.isHidden());
    EXPECT_EQ(s.messages().size(), 4u);

    MethodBench reopened;  // the count goes on over the run
    wrong(reopened);
    EXPECT_TRUE(reopened.dialog.isVisible());
    reopened.choose(3, std::nullopt, InputCalibrationAccessCode(3));
    reopened.next();
    EXPECT_TRUE(reopened.dialog.isHidden());
    EXPECT_EQ(reopened.dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(reopened.sent().empty());  // type 3 sets no input

    MethodBench again;  // the right code has reset the count
    for (int i = 0; i < 3; ++i) wrong(again);
    EXPECT_TRUE(again.dialog.isVisible());
    EXPECT_TRUE(again.sent().empty());
}

TEST(CalibrationMethod, TheMethodSetsWhatIsAskedFor) {
    MethodBench s;
    QComboBox& sensor = child<QComboBox>(s.dialog, "sensor");
    QComboBox& channel = child<QComboBox>(s.dialog, "channel");
    QSpinBox& code = child<QSpinBox>(s.dialog, "accessCode");
    EXPECT_FALSE(sensor.isVisible());
    EXPECT_FALSE(channel.isVisible());
    EXPECT_FALSE(code.isEnabled());
    EXPECT_EQ(code.maximum(), 1000);
    s.next();
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0].text, Text("IDS_STRING727"));
    EXPECT_EQ(s.messages()[0].caption, Text("IDS_STRING728"));

    s.choose(1, 3, 0);
    EXPECT_EQ(sensor.count(), 36);
    EXPECT_TRUE(sensor.isVisible());
    EXPECT_TRUE(code.isEnabled());
    s.choose(2, std::nullopt, InputCalibrationAccessCode(2));
    EXPECT_EQ(sensor.count(), 11);
    EXPECT_EQ(sensor.currentIndex(), -1);
    EXPECT_EQ(sensor.itemText(0), "TC Type L");
    EXPECT_EQ(child<QLabel>(s.dialog, "description").text().toStdString(), Text("IDS_STRING390"));
    s.next();  // no thermocouple chosen
    EXPECT_TRUE(s.dialog.isVisible());
    EXPECT_TRUE(s.sent().empty());
    EXPECT_EQ(s.messages().size(), 1u);

    s.choose(3, std::nullopt, 0);
    test::saveShot(s.dialog, "calibration_method_factory");
    EXPECT_FALSE(sensor.isVisible());
    EXPECT_FALSE(channel.isVisible());
    s.choose(4, std::nullopt, 0);
    EXPECT_TRUE(channel.isVisible());
    EXPECT_EQ(channel.count(), 8);
    EXPECT_EQ(channel.currentText(), "Input 1");
    EXPECT_EQ(sensor.count(), 4);
}

// ---- the whole procedure

// Hands each dialog, as it is shown, to the next step of the script.
class DialogScript : public QObject {
public:
    using Step = std::function<void(QDialog&)>;
    explicit DialogScript(std::vector<Step> steps) : steps_(steps.begin(), steps.end()) {
        qApp->installEventFilter(this);
    }
    ~DialogScript() override { qApp->removeEventFilter(this); }
    bool done() const { return steps_.empty(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() == QEvent::Show && dialog && !steps_.empty()) {
            QTimer::singleShot(0, dialog, [dialog, step = steps_.front()] { step(*dialog); });
            steps_.pop_front();
        }
        return false;
    }

private:
    std::deque<Step> steps_;
};

// Next until the dialog closes.
void nextToTheEnd(QDialog& dialog) {
    auto& calibration = dynamic_cast<CCalibrate2&>(dialog);
    while (calibration.isVisible()) {
        button(calibration, keyed("IDD_CALIBRATE2_IDOK")).click();
        ASSERT_TRUE(test::eventually([&] { return !calibration.busy() || calibration.isHidden(); }));
    }
}

DialogScript::Step chooseMethod(int method, std::optional<int> sensor) {
    return [method, sensor](QDialog& dialog) {
        child<QComboBox>(dialog, "method").setCurrentIndex(method);
        if (sensor) child<QComboBox>(dialog, "sensor").setCurrentIndex(*sensor);
        child<QSpinBox>(dialog, "accessCode").setValue(InputCalibrationAccessCode(method));
        button(dialog, keyed("IDD_CALIBRATE1_IDOK")).click();
    };
}

TEST(InputModuleCalibration, FromTheMethodToTheOperatingModeAgain) {
    CalibrationBench s(kKq09);
    DialogScript script({chooseMethod(3, std::nullopt), [](QDialog& dialog) {
                             test::saveShot(dialog, "input_calibration_start");
                             nextToTheEnd(dialog);
                         }});
    gui::runInputModuleCalibration(s.link, nullptr);
    EXPECT_TRUE(script.done());
    EXPECT_TRUE(s.link.idle());
    EXPECT_EQ(s.sent(), (Lines{"CLB.I = 3", "CLB.S ?", "CLB.T ?", "CLB.G ? 1", "CLB.G ? 2", "CLB.G ? 3", "CLB.G ? 4",
                               "CLB.P =", "CLB.A =", "CLB.A ="}));
    ASSERT_EQ(s.messages().size(), 2u);
    EXPECT_EQ(s.messages()[0].text, Text("IDS_STRING734"));
    EXPECT_EQ(s.messages()[0].caption, Text("IDS_STRING736"));
    EXPECT_EQ(s.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(s.messages()[1].text, Text("IDS_STRING735"));
    EXPECT_EQ(s.messages()[1].caption, Text("IDS_STRING737"));
}

TEST(InputModuleCalibration, ARepeatedCalibrationRunsInsideTheFirst) {
    CalibrationBench s(kKq01);
    s.functions->script("CLB.T", {Bytes{0x01, 0x80, 0x04}});  // the first calibration fails its check
    s.bench.ui.answers = {MessageAnswer::Ok, MessageAnswer::Yes, MessageAnswer::Ok};
    DialogScript script({chooseMethod(1, 12),  // "RTD Pt100"
                         [](QDialog& dialog) {
                             auto& calibration = dynamic_cast<CCalibrate2&>(dialog);
                             EXPECT_EQ(calibration.text().toStdString(), shown(Text("IDS_STRING448")));
                             test::saveShot(dialog, "input_calibration_instruction");
                             nextToTheEnd(dialog);
                         },
                         [](QDialog& dialog) {
                             button(dialog, keyed("IDD_CALIBRATE2_IDOK")).click();
                             ASSERT_TRUE(test::eventually([&] { return !dynamic_cast<CCalibrate2&>(dialog).busy(); }));
                             button(dialog, keyed("IDD_CALIBRATE2_IDCANCEL")).click();
                         }});
    gui::runInputModuleCalibration(s.link, nullptr);
    EXPECT_TRUE(script.done());
    EXPECT_EQ(s.sent(), (Lines{"in-t = 3 0 0", "in-t ? 0 0",                               // the sensor
                               "CLB.I = 1", "CLB.S ?", "CLB.T ?", "CLB.G ? 1", "CLB.A =",  // failed check
                               "CLB.I = 1", "CLB.S ?", "CLB.A =", "CLB.A =",               // repeated, cancelled
                               "CLB.A ="}));
    ASSERT_EQ(s.messages().size(), 3u);
    EXPECT_EQ(s.messages()[1].text, Text("IDS_STRING792"));
    EXPECT_EQ(s.messages()[2].text, FormatText(Text("IDS_STRING733"), s.bench.doc.deviceModel()->DisplayName()));
}

// ---- the output calibration

struct OutputCalibrationBench : CalibrationBench {
    explicit OutputCalibrationBench(bool readWhenOpen = false, ModuleSide side = ModuleSide::Scripted)
        : CalibrationBench(kKq03, side) {
        bench.ui.setOption(OptionSwitch::ReadWhenOpen, readWhenOpen);
        bench.module.parameters().find("POUt", 2)->value = {3};  // output 3 is digital
        dialog = std::make_unique<CCalibration>(link);
        dialog->show();
        settle();
    }
    void settle() {
        EXPECT_TRUE(test::eventually([&] { return !dialog->busy() && link.idle(); }));
    }
    void setModuleCoefficient(int number, std::uint16_t value) {
        bench.module.parameters().find("CLB.K", number)->value = {static_cast<std::uint8_t>(value >> 8),
                                                                  static_cast<std::uint8_t>(value & 0xFF)};
    }
    Bytes moduleCoefficient(int number) { return bench.module.parameters().find("CLB.K", number)->value; }
    void choose(const char* text) {
        QListWidget& list = child<QListWidget>(*dialog, "coefficients");
        const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text;
        list.setCurrentItem(found.front());
        settle();
    }
    void press(const char* amount) {
        button(*dialog, amount).click();
        settle();
    }
    QString value() { return child<QLineEdit>(*dialog, "value").text(); }
    Lines listed() {
        Lines lines;
        QListWidget& list = child<QListWidget>(*dialog, "coefficients");
        for (int row = 0; row < list.count(); ++row) lines.push_back(list.item(row)->text().toStdString());
        return lines;
    }

    std::unique_ptr<CCalibration> dialog;
};

TEST(OutputCalibration, TheListHoldsBothCoefficientsOfEachAnalogOutput) {
    OutputCalibrationBench unread;  // "no data" is not digital
    EXPECT_EQ(unread.listed().size(), 12u);
    EXPECT_TRUE(unread.sent().empty());

    OutputCalibrationBench read(true);
    EXPECT_EQ(read.sent(), (Lines{"POUt ? 0 0", "POUt ? 0 1", "POUt ? 0 2", "POUt ? 0 3", "POUt ? 0 4", "POUt ? 0 5"}));
    EXPECT_EQ(read.listed(), (Lines{"K20 output 1", "K20 output 2", "K20 output 4", "K20 output 5", "K20 output 6",
                                    "K4  output 1", "K4  output 2", "K4  output 4", "K4  output 5", "K4  output 6"}));
    EXPECT_FALSE(child<QLineEdit>(*read.dialog, "value").isEnabled());
    EXPECT_FALSE(button(*read.dialog, "+10").isEnabled());
}

TEST(OutputCalibration, TheChosenCoefficientDrivesItsOutputAndEveryChangeIsWritten) {
    OutputCalibrationBench s;
    s.setModuleCoefficient(0, 4090);
    s.setModuleCoefficient(1, 1);
    s.choose("K4  output 1");
    EXPECT_EQ(s.value(), "4090");
    EXPECT_TRUE(child<QLineEdit>(*s.dialog, "value").isEnabled());
    EXPECT_EQ(s.dialog->currentCoefficient(), 0);
    EXPECT_EQ(s.sent(), (Lines{"CLB.K ? 0 0", "CLB.I = 0",                                    // read, drive
                               "CLB.K ? 0 0", "CLB.K = 15 250 0 0", "CLB.K = 15 250 0 0"}));  // the value shown, saved

    s.bench.recorder.sent.clear();
    s.press("+10");  // 4100 is out of range
    EXPECT_EQ(s.value(), "4090");
    EXPECT_TRUE(s.sent().empty());
    s.press("+5");
    EXPECT_EQ(s.value(), "4095");
    EXPECT_EQ(s.sent(), (Lines{"CLB.K ? 0 0", "CLB.K = 15 255 0 0", "CLB.K = 15 255 0 0"}));
    EXPECT_EQ(s.moduleCoefficient(0), (Bytes{0x0F, 0xFF}));

    // Typed: every keystroke is written.
    QLineEdit& field = child<QLineEdit>(*s.dialog, "value");
    field.clear();
    QTest::keyClicks(&field, "12");
    s.settle();
    EXPECT_EQ(s.count("CLB.K"), 3u + 6u);
    EXPECT_EQ(s.moduleCoefficient(0), (Bytes{0x00, 0x0C}));
    QTest::keyClicks(&field, "x");  // digits only
    EXPECT_EQ(s.value(), "12");

    s.bench.recorder.sent.clear();
    s.choose("K20 output 1");  // the previous coefficient is saved first
    EXPECT_EQ(s.sent(), (Lines{"CLB.K ? 0 0", "CLB.K = 0 12 0 0", "CLB.K = 0 12 0 0", "CLB.K ? 0 1", "CLB.I = 1",
                               "CLB.K ? 0 1", "CLB.K = 0 1 0 1", "CLB.K = 0 1 0 1"}));
    EXPECT_EQ(s.value(), "1");
    s.bench.recorder.sent.clear();
    s.press("-2");
    EXPECT_EQ(s.value(), "1");
    EXPECT_TRUE(s.sent().empty());
    test::saveShot(*s.dialog, "output_calibration");

    button(*s.dialog, keyed("IDD_DIALOG_CALIB_IDOK")).click();
    s.settle();
    EXPECT_TRUE(s.dialog->isHidden());
    EXPECT_EQ(s.sent(), (Lines{"CLB.K ? 0 1", "CLB.K = 0 1 0 1", "CLB.K = 0 1 0 1", "CLB.A ?"}));
    EXPECT_TRUE(s.messages().empty());
}

TEST(OutputCalibration, TheModulesOwnFirmwareDrivesTheChosenCoefficientsOutput) {
    OutputCalibrationBench s(false, ModuleSide::OwnFirmware);
    s.setModuleCoefficient(7, 2000);
    s.choose("K20 output 4");
    EXPECT_EQ(s.value(), "2000");
    s.press("+5");
    button(*s.dialog, keyed("IDD_DIALOG_CALIB_IDOK")).click();
    s.settle();
    EXPECT_TRUE(s.dialog->isHidden());
    EXPECT_EQ(s.sent(), (Lines{"CLB.K ? 0 7", "CLB.I = 7", "CLB.K ? 0 7", "CLB.K = 7 208 0 7", "CLB.K = 7 208 0 7",
                               "CLB.K ? 0 7", "CLB.K = 7 213 0 7", "CLB.K = 7 213 0 7", "CLB.K ? 0 7",
                               "CLB.K = 7 213 0 7", "CLB.K = 7 213 0 7", "CLB.A ?"}));
    EXPECT_EQ(s.moduleCoefficient(7), (Bytes{0x07, 0xD5}));
    EXPECT_TRUE(s.messages().empty());
}

TEST(OutputCalibration, ClosingBeforeAnyChoiceSendsNothing) {
    OutputCalibrationBench s;
    s.dialog->reject();
    s.settle();
    EXPECT_TRUE(s.dialog->isHidden());
    EXPECT_TRUE(s.sent().empty());
}

TEST(OutputCalibration, FinishWhileAChoiceRunsWaitsForItsEnd) {
    OutputCalibrationBench s;
    s.setModuleCoefficient(4, 300);
    QListWidget& list = child<QListWidget>(*s.dialog, "coefficients");
    list.setCurrentItem(list.findItems("K4  output 3", Qt::MatchExactly).front());
    button(*s.dialog, keyed("IDD_DIALOG_CALIB_IDOK")).click();
    s.settle();
    EXPECT_TRUE(s.dialog->isHidden());
    EXPECT_EQ(s.sent(), (Lines{"CLB.K ? 0 4", "CLB.I = 4", "CLB.K ? 0 4", "CLB.K = 1 44 0 4", "CLB.K = 1 44 0 4",
                               "CLB.K ? 0 4", "CLB.K = 1 44 0 4", "CLB.K = 1 44 0 4", "CLB.A ?"}));
}

TEST(OutputCalibration, AReadOnlyCoefficientIsUnlockedForTheChangeAndLockedAgain) {
    OutputCalibrationBench s;
    s.bench.ui.setOption(OptionSwitch::SendAttributes, true);
    sim::ModuleParameter& coefficient = *s.bench.module.parameters().find("CLB.K", 3);
    coefficient.attributes = sim::kAttrUserOwned;
    s.setModuleCoefficient(3, 2000);

    s.bench.ui.answers = {MessageAnswer::Yes};
    s.choose("K20 output 2");
    ASSERT_EQ(s.messages().size(), 1u);
    EXPECT_EQ(s.messages()[0].text,
              "Warning:\r\n Parameter CLB.K:3 has attribute 'read-only'\r\n Continue calibration?");
    EXPECT_EQ(s.messages()[0].icon, MessageIcon::Question);
    EXPECT_EQ(s.value(), "2000");
    s.press("+2");
    EXPECT_EQ(s.moduleCoefficient(3), (Bytes{0x07, 0xD2}));
    EXPECT_EQ(coefficient.attributes, sim::kAttrUserOwned);
    EXPECT_EQ(s.messages().size(), 1u);  // every value write went through

    // No: calibration is left at once.
    OutputCalibrationBench refused;
    refused.bench.ui.setOption(OptionSwitch::SendAttributes, true);
    refused.bench.module.parameters().find("CLB.K", 3)->attributes = sim::kAttrUserOwned;
    refused.bench.ui.answers = {MessageAnswer::No};
    refused.choose("K20 output 2");
    EXPECT_TRUE(refused.dialog->isHidden());
    EXPECT_EQ(refused.sent(), (Lines{"M.s.t.r. ? 0 3 94 206", "CLB.K ? 0 3", "CLB.A ?"}));
    EXPECT_EQ(refused.dialog->currentCoefficient(), -1);
}

TEST(OutputCalibration, FailedExchangesAreToldAndTheDialogStays) {
    OutputCalibrationBench s;
    s.functions->always("CLB.K", std::nullopt);
    s.choose("K4  output 2");
    EXPECT_EQ(s.value(), "0");
    ASSERT_EQ(s.messages().size(), 2u);
    EXPECT_EQ(s.messages()[0].text, Text("IDS_STRING512") + kBusyText);
    EXPECT_EQ(s.messages()[1].text, Text("IDS_STRING517") + kBusyText);
    EXPECT_EQ(s.messages()[1].icon, MessageIcon::Warning);
    EXPECT_TRUE(s.dialog->isVisible());
    EXPECT_EQ(s.dialog->currentCoefficient(), 2);
}

}  // namespace
}  // namespace vantor
