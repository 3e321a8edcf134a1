#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <cstring>

#include "calibration/framework/my_sheet.h"
#include "calibration/inductance/first_page.h"
#include "calibration/inductance/inductance_calibration.h"
#include "calibration/inductance/limit_pages.h"
#include "calibration/inductance/user_pages.h"
#include "calibration_bench.h"
#include "link/device_io.h"
#include "models/natural_spline.h"
#include "params/parameter.h"
#include "sim/calibration_settings.h"
#include "sim/device_errors.h"
#include "support/shot_path.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::ModuleSide;

using gui::CmySheet;
using gui::CalibrationVI::CMaxPage;
using gui::CalibrationVI::CMinPage;
using gui::CalibrationVI::CPage1VI;
using gui::CalibrationVI::CSaveVIPage;
using gui::CalibrationVI::CUserMeasuringPage;
using gui::CalibrationVI::CUserPage;
using gui::CalibrationVI::CUserTablePage;
using gui::myClass::PointsTableModel;
using Lines = std::vector<std::string>;

const Lines kNames{"tdev", "zU.Sh", "zU.Sc", "U.Apl", "Rd.St", "uU.Pn", "uU.Kf", "Rd.fH"};
enum Method { kFactory, kUser };
enum UserMethod { kTabular, kMeasured };

Bytes floatBytes(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

float floatOf(const Bytes& data) {
    const std::uint32_t bits =
        std::uint32_t{data[0]} << 24 | std::uint32_t{data[1]} << 16 | std::uint32_t{data[2]} << 8 | data[3];
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string busyText() {
    std::string text;
    DeviceErrorText(Bytes{sim::kErrBusy}, text);
    return text;
}

// The module side as a test wants it: scripted reads, and exchanges of a name the
// module refuses (busy) from the n-th one on.
class ModuleScript : public test::ScriptedReads {
public:
    void refuse(const std::string& name, bool reads, int from = 1) { refusals_[hash_name(name)] = {reads, from, 0}; }
    void allow(const std::string& name) { refusals_.erase(hash_name(name)); }

    std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest& request, sim::ParameterTable& table,
                                              std::int64_t now) override {
        if (const auto it = refusals_.find(request.hash); it != refusals_.end() && it->second.reads == request.read)
            if (++it->second.seen >= it->second.from) return sim::ModuleReply{kHashDeviceError, {sim::kErrBusy}};
        return ScriptedReads::intercept(request, table, now);
    }

private:
    struct Refusal {
        bool reads;
        int from;
        int seen;
    };
    std::map<std::uint16_t, Refusal> refusals_;
};

struct Node {
    const char* inductance;
    const char* physicalValue;
};

// Who answers the calibration: the test's script, or the module's own firmware.
// The inductance wizard of a KQ-13 on its in-process module.
struct InductanceBench : test::CalibrationBench {
    explicit InductanceBench(ModuleSide side = ModuleSide::Scripted) : CalibrationBench(test::kKq13), sheet(link) {
        gui::addInductancePages(sheet);
        if (side == ModuleSide::Scripted) {
            auto hooks = std::make_unique<ModuleScript>();
            module = hooks.get();
            bench.module.setHooks(std::move(hooks));
        }
        sheet.show();
    }

    CPage1VI& firstPage() { return *sheet.pageOf<CPage1VI>(); }
    QAbstractButton& button(QWizard::WizardButton which) { return *sheet.button(which); }
    void click(QWizard::WizardButton which) {
        ASSERT_TRUE(button(which).isEnabled() && button(which).isVisible()) << button(which).text().toStdString();
        button(which).click();
    }
    // The code, then the method (the first Next shows the methods, the second goes on).
    void choose(int method, int userMethod = -1) {
        firstPage().accessCode().setText("938");
        click(QWizard::NextButton);
        firstPage().methodRow().list->setCurrentIndex(method);
        firstPage().userMethodRow().list->setCurrentIndex(userMethod);
        click(QWizard::NextButton);
    }
    template <class Page>
    bool on() {
        return eventually([&] { return sheet.currentPage() == sheet.pageOf<Page>() && link.idle(); });
    }
    bool closed() {
        return eventually([&] { return !sheet.isVisible() && link.idle(); });
    }

    // The user page of `userMethod` with `nodes` typed in and applied.
    CUserPage& userTable(int userMethod, const std::vector<Node>& nodes) {
        choose(kUser, userMethod);
        EXPECT_TRUE(userMethod == kTabular ? on<CUserTablePage>() : on<CUserMeasuringPage>());
        CUserPage& page = *static_cast<CUserPage*>(sheet.currentPage());
        typeNodes(page, nodes);
        return page;
    }
    static void typeNodes(CUserPage& page, const std::vector<Node>& nodes) {
        page.nodeCount().setText(QString::number(nodes.size()));
        page.applyButton().click();
        PointsTableModel& points = page.table().points();
        for (int row = 0; row < static_cast<int>(nodes.size()); ++row) {
            const Node& node = nodes[static_cast<std::size_t>(row)];
            EXPECT_TRUE(points.setData(points.index(row, PointsTableModel::kInductanceColumn), node.inductance));
            EXPECT_TRUE(points.setData(points.index(row, PointsTableModel::kPhysicalValueColumn), node.physicalValue));
        }
    }

    // The float values written under `name`, by data index, in the order sent.
    std::vector<std::pair<int, float>> written(const std::string& name) const {
        std::vector<std::pair<int, float>> values;
        for (const ReceivedFrame& frame : bench.recorder.frames())
            if (frame.hash == hash_name(name) && !frame.requestBit() && frame.data.size() == 6)
                values.emplace_back(frame.data[4] << 8 | frame.data[5], floatOf(frame.data));
        return values;
    }

    ModuleScript* module = nullptr;  // none: the module's own firmware answers
    CmySheet sheet;
};

TEST(InductanceCalibration, FactoryMethodMeasuresBothLimitsAndApplies) {
    // With the mouse, and with Enter alone, which must never land on Cancel.
    for (const bool keyboard : {false, true}) {
        InductanceBench b;
        b.module->script("tdev", {{1}});
        b.module->script("Rd.St", {{0}});
        b.sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&b.sheet));
        const auto press = [&](QWizard::WizardButton which) {
            if (keyboard)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            else
                b.click(which);
        };
        b.firstPage().accessCode().setFocus();
        QTest::keyClicks(&b.firstPage().accessCode(), "938");
        press(QWizard::NextButton);
        b.firstPage().methodRow().list->setCurrentIndex(kFactory);
        press(QWizard::NextButton);
        ASSERT_TRUE(b.on<CMinPage>());
        press(QWizard::NextButton);
        ASSERT_TRUE(b.on<CMaxPage>());
        EXPECT_EQ(b.sheet.pageOf<CMaxPage>()->instructionText(), Text("IDS_STRING628"));
        press(QWizard::NextButton);
        ASSERT_TRUE(b.on<CSaveVIPage>());
        EXPECT_EQ(b.button(QWizard::FinishButton).text().toStdString(), Text("IDS_STRING667"));
        press(QWizard::FinishButton);
        ASSERT_TRUE(b.closed());
        EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
        EXPECT_EQ(b.exchanges(kNames), (Lines{"r tdev", "w zU.Sh", "w zU.Sc", "w U.Apl", "r Rd.St"}));
        EXPECT_TRUE(b.bench.ui.messages.empty());
    }
}

// The module's own firmware measures each limit at the reference it expects; a failed
// calibration leaves its bit in the status and nothing stored.
TEST(InductanceCalibration, FactoryMethodAgreesWithTheModulesOwnFirmware) {
    for (const std::optional<int> failure : {std::optional<int>{}, std::optional<int>{1}}) {
        InductanceBench b(ModuleSide::OwnFirmware);
        b.bench.module.calibration().failNextJob = failure;
        b.choose(kFactory);
        ASSERT_TRUE(b.on<CMinPage>());
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.on<CMaxPage>());
        b.click(QWizard::NextButton);
        ASSERT_TRUE(b.on<CSaveVIPage>());
        b.click(QWizard::FinishButton);
        ASSERT_TRUE(b.closed());
        EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
        EXPECT_EQ(b.exchanges(kNames), (Lines{"r tdev", "w zU.Sh", "w zU.Sc", "w U.Apl", "r Rd.St"}));
        EXPECT_EQ(b.bench.ui.texts(), failure ? Lines{Text("IDS_STRING631")} : Lines{});
        const sim::CalibrationStore stored =
            failure ? sim::CalibrationStore{} : sim::CalibrationStore{{"lower.0", 0}, {"upper.0", 100}};
        EXPECT_EQ(b.bench.module.calibrationStore(), stored);
    }
}

TEST(InductanceCalibration, LowerLimitPageNamesTheModulesLowerLimit) {
    const struct {
        std::optional<Bytes> variant;  // none: the read is refused
        std::string limit;
    } cases[] = {{Bytes{0}, "-10 mH"}, {Bytes{1}, "0 mH"}, {std::nullopt, Text("IDS_STRING624")}};
    for (const auto& c : cases) {
        InductanceBench b;
        if (c.variant)
            b.module->script("tdev", {*c.variant});
        else
            b.module->refuse("tdev", true);
        b.choose(kFactory);
        ASSERT_TRUE(b.on<CMinPage>());
        const std::string shown = b.sheet.pageOf<CMinPage>()->instructionText();
        EXPECT_EQ(shown, FormatText(Text("IDS_STRING625"), c.limit));
        EXPECT_NE(shown.find("limit " + c.limit), std::string::npos) << shown;
        EXPECT_TRUE(b.button(QWizard::NextButton).isEnabled());
    }
}

TEST(InductanceCalibration, ARefusedLimitMeasurementStaysOnItsPageWithTheReason) {
    const struct {
        const char* command;
        const char* caption;
        bool upper;
    } cases[] = {{"zU.Sh", "IDS_STRING626", false}, {"zU.Sc", "IDS_STRING629", true}};
    for (const auto& c : cases) {
        InductanceBench b;
        b.sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&b.sheet));
        b.module->refuse(c.command, false);
        b.choose(kFactory);
        ASSERT_TRUE(b.on<CMinPage>());
        if (c.upper) {
            b.click(QWizard::NextButton);
            ASSERT_TRUE(b.on<CMaxPage>());
        }
        const QWizardPage* page = b.sheet.currentPage();
        b.click(QWizard::NextButton);
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !b.bench.ui.messages.empty() && b.link.idle(); }));
        EXPECT_EQ(b.sheet.currentPage(), page) << c.command;
        ASSERT_EQ(b.bench.ui.messages.size(), 1u);
        EXPECT_EQ(b.bench.ui.messages[0].text, busyText());
        EXPECT_EQ(b.bench.ui.messages[0].caption, Text(c.caption));
        EXPECT_EQ(b.bench.ui.messages[0].icon, MessageIcon::Warning);
        // Once the module takes it, Enter tries again and goes on.
        b.module->allow(c.command);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_TRUE(c.upper ? b.on<CSaveVIPage>() : b.on<CMaxPage>()) << c.command;
    }
}

TEST(InductanceCalibration, WrongCodeSendsNothingAndTheMethodDecidesTheWay) {
    InductanceBench b;
    CPage1VI& page = b.firstPage();
    page.accessCode().setText("936");
    b.click(QWizard::NextButton);
    EXPECT_EQ(b.bench.ui.texts(), Lines{Text("IDS_STRING620")});
    EXPECT_FALSE(page.methodRow().shown());

    page.accessCode().setText("938");
    b.click(QWizard::NextButton);
    EXPECT_TRUE(page.methodRow().shown());
    EXPECT_EQ(page.methodRow().label->text().toStdString(), Text("IDS_STRING617"));
    EXPECT_EQ(page.methodRow().list->itemText(kUser).toStdString(), Text("IDS_STRING619"));
    EXPECT_FALSE(page.userMethodRow().shown());
    page.methodRow().list->setCurrentIndex(kUser);
    EXPECT_TRUE(page.userMethodRow().shown());
    // "user" without a user method stays.
    b.click(QWizard::NextButton);
    EXPECT_EQ(b.sheet.currentPage(), &page);
    page.methodRow().list->setCurrentIndex(kFactory);
    EXPECT_FALSE(page.userMethodRow().shown());
    page.methodRow().list->setCurrentIndex(kUser);
    page.userMethodRow().list->setCurrentIndex(kMeasured);
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.on<CUserMeasuringPage>());
    EXPECT_EQ(b.button(QWizard::FinishButton).text().toStdString(), Text("IDS_STRING636"));
    EXPECT_TRUE(b.bench.recorder.sent.empty());

    // Back returns to the first page with everything still chosen.
    b.click(QWizard::BackButton);
    ASSERT_TRUE(b.on<CPage1VI>());
    EXPECT_EQ(page.accessCode().text(), "938");
    EXPECT_EQ(page.userMethodRow().list->currentIndex(), kMeasured);
    page.userMethodRow().list->setCurrentIndex(kTabular);
    b.click(QWizard::NextButton);
    EXPECT_TRUE(b.on<CUserTablePage>());
}

TEST(InductanceCalibration, UserTableWritesTheNodesAndTheSplineThroughThem) {
    const std::vector<Node> tables[] = {
        {{"0", "0"}, {"1", "1"}, {"2", "0"}},
        {{"-9.5", "12.25"}, {"-3", "40"}, {"0.125", "41"}, {"4", "-7.5"}, {"9.875", "100"}},
    };
    for (const std::vector<Node>& nodes : tables) {
        InductanceBench b;
        b.module->script("Rd.St", {{0}});
        b.userTable(kTabular, nodes);
        b.click(QWizard::FinishButton);
        ASSERT_TRUE(b.closed());

        const std::size_t n = nodes.size(), k = 4 * (n - 1);
        Lines expected(n, "w uU.Pn");
        expected.insert(expected.end(), k, "w uU.Kf");
        expected.insert(expected.end(), {"w U.Apl", "r Rd.St"});
        EXPECT_EQ(b.exchanges(kNames), expected);

        std::vector<SplineNode> spline;
        for (const Node& node : nodes) spline.push_back({std::stof(node.inductance), std::stof(node.physicalValue)});
        const auto writtenNodes = b.written("uU.Pn");
        ASSERT_EQ(writtenNodes.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(writtenNodes[i].first, static_cast<int>(i));
            EXPECT_EQ(writtenNodes[i].second, static_cast<float>(spline[i].x));
        }
        // Each coefficient as the module gets it: the spline's float printed with "%f".
        const std::vector<float> coefficients = naturalSplineCoefficients(spline);
        const auto writtenCoefficients = b.written("uU.Kf");
        ASSERT_EQ(writtenCoefficients.size(), k);
        for (std::size_t j = 0; j < k; ++j) {
            EXPECT_EQ(writtenCoefficients[j].first, static_cast<int>(j));
            EXPECT_EQ(writtenCoefficients[j].second,
                      std::stof(FormatTextArgs("%f", static_cast<double>(coefficients[j]))))
                << j;
        }
        if (n == 3) {
            const std::vector<float> worked{0, 1.5F, 0, -0.5F, 1, 0, -1.5F, 0.5F};
            for (std::size_t j = 0; j < k; ++j) EXPECT_EQ(writtenCoefficients[j].second, worked[j]) << j;
        }
        EXPECT_TRUE(b.bench.ui.messages.empty());
    }
}

TEST(InductanceCalibration, TablesWithoutASplineAreRefusedBeforeAnythingIsWritten) {
    const struct {
        std::vector<Node> nodes;
        std::string message;
    } cases[] = {
        {{{"0", "0"}, {"0", "5"}}, "Nodes 1 and 2 have the same inductance: give each node its own"},
        {{{"0", "0"}, {"1", "5"}, {"1.000", "6"}, {"2", "7"}},
         "Nodes 2 and 3 have the same inductance: give each node its own"},
        {{{"0", "0"}, {"2", "5"}, {"1", "6"}},
         "The inductance of node 3 is below that of node 2: enter the nodes in increasing order of inductance"},
    };
    for (const auto& c : cases) {
        InductanceBench b;
        b.userTable(kTabular, c.nodes);
        b.click(QWizard::FinishButton);
        EXPECT_EQ(b.bench.ui.texts(), Lines{c.message});
        EXPECT_TRUE(b.sheet.isVisible());
        EXPECT_TRUE(b.link.idle());
        EXPECT_TRUE(b.bench.recorder.sent.empty());
        EXPECT_TRUE(b.button(QWizard::FinishButton).isEnabled());
    }
}

TEST(InductanceCalibration, AFailedWriteOfTheTableStaysOnThePage) {
    const struct {
        const char* refused;
        std::string message;
        Lines sent;
    } cases[] = {
        {"uU.Pn", "Parameter uU.Pn saving error", {"w uU.Pn"}},
        {"uU.Kf", "Parameter uU.Kf saving error", {"w uU.Pn", "w uU.Pn", "w uU.Kf"}},
    };
    for (const auto& c : cases) {
        InductanceBench b;
        b.module->refuse(c.refused, false);
        b.userTable(kTabular, {{"1", "10"}, {"2", "20"}});
        b.click(QWizard::FinishButton);
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !b.bench.ui.messages.empty() && b.link.idle(); }));
        EXPECT_EQ(b.bench.ui.texts(), Lines{c.message});
        EXPECT_EQ(b.exchanges(kNames), c.sent);
        EXPECT_TRUE(b.sheet.isVisible());
        EXPECT_TRUE(b.button(QWizard::FinishButton).isEnabled());
        EXPECT_TRUE(b.button(QWizard::BackButton).isEnabled());
    }
}

TEST(InductanceCalibration, TheStatusAfterApplyingReportsAFailedCalibration) {
    // The factory method takes a status of 128 and more as failed, the user method bit 0x80.
    const struct {
        int method;
        std::optional<Bytes> status;  // none: the read is refused
        const char* messageKey;       // null: no message
    } cases[] = {
        {kFactory, Bytes{127}, nullptr},
        {kFactory, Bytes{128}, "IDS_STRING631"},
        {kFactory, Bytes{0x01, 0x00}, "IDS_STRING631"},
        {kFactory, std::nullopt, nullptr},
        {kUser, Bytes{0x80}, "IDS_STRING639"},
        {kUser, Bytes{0x01, 0xC1}, "IDS_STRING639"},
        {kUser, Bytes{0x7F}, nullptr},
        {kUser, Bytes{0x01, 0x00}, nullptr},
        {kUser, std::nullopt, nullptr},
    };
    for (const auto& c : cases) {
        InductanceBench b;
        if (c.status)
            b.module->script("Rd.St", {*c.status});
        else
            b.module->refuse("Rd.St", true);
        if (c.method == kFactory) {
            b.choose(kFactory);
            ASSERT_TRUE(b.on<CMinPage>());
            b.click(QWizard::NextButton);
            ASSERT_TRUE(b.on<CMaxPage>());
            b.click(QWizard::NextButton);
            ASSERT_TRUE(b.on<CSaveVIPage>());
        } else {
            b.userTable(kTabular, {{"0", "0"}, {"1", "1"}});
        }
        b.click(QWizard::FinishButton);
        ASSERT_TRUE(b.closed());
        EXPECT_EQ(b.bench.ui.texts(), c.messageKey ? Lines{Text(c.messageKey)} : Lines{}) << c.method;
        EXPECT_EQ(b.sheet.result(), QDialog::Accepted);
    }
}

// Presses the measuring button of `row` as the person does.
void clickMeasuring(gui::myClass::CPointsTableCtrl& table, int row) {
    const QModelIndex cell = table.points().index(row, PointsTableModel::kMeasuringColumn);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(cell).center());
}

TEST(InductanceCalibration, MeasuringTakesTheRunningValueOf32Reads) {
    const auto repeated = [](std::size_t count, float value, float last) {
        std::vector<Bytes> reads(count, floatBytes(value));
        reads.push_back(floatBytes(last));
        return reads;
    };
    const struct {
        std::vector<Bytes> reads;  // the last one repeats
        std::string cell;
    } cases[] = {
        // 10, 11, 11.5, 11.75, ...: a hair below 12 after the 32nd read.
        {{floatBytes(10), floatBytes(12)}, "12.000000"},
        // Only the last read moves it, by half the difference: not the mean of the reads.
        {repeated(31, 1, 1.001F), "1.000500"},
        // While the running value is 0 a read replaces it.
        {repeated(31, 0, 5), "5.000000"},
    };
    for (const auto& c : cases) {
        InductanceBench b;
        b.module->script("Rd.fH", c.reads);
        auto& page = static_cast<CUserMeasuringPage&>(b.userTable(kMeasured, {{"0", "0"}, {"0", "1"}}));
        b.bench.recorder.sent.clear();
        b.bench.ui.waitCursorChanges.clear();
        clickMeasuring(page.table(), 1);
        EXPECT_TRUE(page.measuring());
        EXPECT_TRUE(page.busyShown());
        EXPECT_FALSE(b.button(QWizard::FinishButton).isEnabled());
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !page.measuring() && b.link.idle(); }));
        EXPECT_EQ(page.table().points().inductance(1).valueText, c.cell);
        EXPECT_EQ(page.table().points().inductance(0).valueText, "0.000");
        EXPECT_EQ(b.exchanges(kNames), Lines(32, "r Rd.fH"));
        EXPECT_EQ(b.bench.ui.waitCursorChanges, (std::vector<bool>{true, false}));
        EXPECT_TRUE(b.bench.ui.messages.empty());
        EXPECT_TRUE(b.button(QWizard::FinishButton).isEnabled());
    }
}

TEST(InductanceCalibration, SpaceOrEnterOnAMeasuringCellMeasuresAndTheFocusStaysInTheTable) {
    InductanceBench b;
    b.module->script("Rd.fH", {floatBytes(2)});
    auto& page = static_cast<CUserMeasuringPage&>(b.userTable(kMeasured, {{"0", "0"}, {"1", "1"}}));
    b.sheet.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&b.sheet));
    auto& table = page.table();
    table.setFocus();
    table.setCurrentIndex(table.points().index(1, PointsTableModel::kMeasuringColumn));
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        table.points().setData(table.points().index(1, PointsTableModel::kInductanceColumn), "0");
        QTest::keyClick(&table, key);
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !page.measuring() && b.link.idle(); }));
        EXPECT_EQ(table.points().inductance(1).valueText, "2.000000") << key;
        EXPECT_EQ(QApplication::focusWidget(), &table) << key;
    }
    EXPECT_EQ(b.exchanges(kNames), Lines(64, "r Rd.fH"));
    EXPECT_TRUE(b.sheet.isVisible());
}

TEST(InductanceCalibration, AMeasurementStopsAtAReadThatBringsNoValue) {
    const struct {
        bool refused;  // else the module answers "no number"
        std::string message;
        std::size_t reads;
    } cases[] = {{true, busyText(), 5}, {false, Text("IDS_STRING485"), 3}};
    for (const auto& c : cases) {
        InductanceBench b;
        if (c.refused)
            b.module->refuse("Rd.fH", true, 5);
        else
            b.module->script("Rd.fH", {floatBytes(3), floatBytes(3), {0xFF, 0xFF, 0xFF, 0xFF}});
        auto& page = static_cast<CUserMeasuringPage&>(b.userTable(kMeasured, {{"0", "0"}, {"1", "1"}}));
        b.bench.recorder.sent.clear();
        b.bench.ui.waitCursorChanges.clear();
        clickMeasuring(page.table(), 0);
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !page.measuring() && b.link.idle(); }));
        ASSERT_EQ(b.bench.ui.messages.size(), 1u);
        EXPECT_EQ(b.bench.ui.messages[0].text, c.message);
        EXPECT_EQ(b.bench.ui.messages[0].caption, "Reading error 'Rd.fH'");
        EXPECT_EQ(b.exchanges(kNames), Lines(c.reads, "r Rd.fH"));
        EXPECT_EQ(page.table().points().inductance(0).valueText, "0.000");
        EXPECT_EQ(b.bench.ui.waitCursorChanges, (std::vector<bool>{true, false}));
    }
}

TEST(InductanceCalibration, ApplyTakesTwoToTwentyOneNodesAndGreysTheRest) {
    InductanceBench b;
    b.choose(kUser, kTabular);
    ASSERT_TRUE(b.on<CUserTablePage>());
    CUserTablePage& page = *b.sheet.pageOf<CUserTablePage>();
    PointsTableModel& points = page.table().points();
    // The table starts as the node count reads.
    EXPECT_EQ(page.nodeCount().text(), "2");
    EXPECT_EQ(points.enabledRows(), 2);

    const struct {
        const char* typed;
        int rows;  // 0: refused
    } cases[] = {{"1", 0}, {"22", 0}, {"3.5", 0}, {"", 0}, {"21", 21}, {" 3 ", 3}, {"0", 0}};
    int rows = 2;
    for (const auto& c : cases) {
        b.bench.ui.messages.clear();
        page.nodeCount().setText(c.typed);
        page.applyButton().click();
        if (c.rows) rows = c.rows;
        EXPECT_EQ(points.enabledRows(), rows) << c.typed;
        EXPECT_EQ(b.bench.ui.texts(), c.rows ? Lines{} : Lines{Text("IDS_STRING640")}) << c.typed;
    }
    const QModelIndex taking = points.index(2, PointsTableModel::kInductanceColumn);
    const QModelIndex greyed = points.index(3, PointsTableModel::kInductanceColumn);
    EXPECT_TRUE(points.flags(taking) & Qt::ItemIsEditable);
    EXPECT_FALSE(points.flags(points.index(2, PointsTableModel::kNumberColumn)) & Qt::ItemIsEditable);
    EXPECT_EQ(points.flags(greyed), Qt::NoItemFlags);
    EXPECT_EQ(points.data(greyed, Qt::ForegroundRole).value<QColor>(), QColor(170, 170, 170));
    EXPECT_FALSE(points.setData(greyed, "1"));
    EXPECT_EQ(points.inductance(3).valueText, "0.000");

    // Enter in the node count applies it and leaves the wizard open.
    page.nodeCount().setText("4");
    QTest::keyClick(&page.nodeCount(), Qt::Key_Return);
    EXPECT_EQ(points.enabledRows(), 4);
    EXPECT_TRUE(b.sheet.isVisible());
    EXPECT_TRUE(b.bench.recorder.sent.empty());
}

TEST(InductanceCalibration, CellsAreEditedInPlaceThroughTheParametersCheck) {
    InductanceBench b;
    b.choose(kUser, kTabular);
    ASSERT_TRUE(b.on<CUserTablePage>());
    auto& table = b.sheet.pageOf<CUserTablePage>()->table();
    const QModelIndex cell = table.points().index(1, PointsTableModel::kPhysicalValueColumn);
    table.setFocus();
    table.setCurrentIndex(cell);
    const struct {
        const char* typed;
        const char* shown;
    } cases[] = {{"1.5", "1.500"}, {"abc", "1.500"}, {"-20", "-20.000"}};
    for (const auto& c : cases) {
        // Enter opens the editor and Enter takes what was typed, without finishing.
        QTest::keyClick(&table, Qt::Key_Return);
        QPointer<QLineEdit> editor = table.viewport()->findChild<QLineEdit*>();
        ASSERT_TRUE(editor && editor->isVisible());
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, c.typed);
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(test::CalibrationBench::eventually([&] { return !editor || !editor->isVisible(); }));
        EXPECT_EQ(table.points().physicalValue(1).valueText, c.shown) << c.typed;
        EXPECT_EQ(table.points().data(cell, Qt::DisplayRole).toString().toStdString(), c.shown);
    }
    EXPECT_TRUE(b.sheet.isVisible());
    EXPECT_TRUE(b.bench.recorder.sent.empty());
}

TEST(InductanceCalibration, PicturesOfThePages) {
    InductanceBench b;
    b.sheet.resize(640, 560);
    const std::vector<Node> nodes{{"-5", "0"}, {"0", "50"}, {"5", "100"}};
    b.firstPage().accessCode().setText("938");
    b.click(QWizard::NextButton);
    b.firstPage().methodRow().list->setCurrentIndex(kUser);
    b.firstPage().userMethodRow().list->setCurrentIndex(kTabular);
    b.sheet.grab().save(test::shotPath("calibration_inductance_first"));

    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.on<CUserTablePage>());
    CUserPage& table = *b.sheet.pageOf<CUserTablePage>();
    InductanceBench::typeNodes(table, nodes);
    table.table().selectRow(1);
    const QHeaderView& header = *table.table().horizontalHeader();
    EXPECT_NEAR(header.sectionSize(1), 3 * header.sectionSize(0), 3);
    EXPECT_NEAR(header.sectionSize(2), header.sectionSize(1), 3);
    b.sheet.grab().save(test::shotPath("calibration_inductance_table"));

    b.click(QWizard::BackButton);
    ASSERT_TRUE(b.on<CPage1VI>());
    b.firstPage().userMethodRow().list->setCurrentIndex(kMeasured);
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.on<CUserMeasuringPage>());
    InductanceBench::typeNodes(*b.sheet.pageOf<CUserMeasuringPage>(), nodes);
    b.sheet.grab().save(test::shotPath("calibration_inductance_measuring"));

    b.click(QWizard::BackButton);
    ASSERT_TRUE(b.on<CPage1VI>());
    b.firstPage().methodRow().list->setCurrentIndex(kFactory);
    b.click(QWizard::NextButton);
    ASSERT_TRUE(b.on<CMinPage>());
    b.sheet.grab().save(test::shotPath("calibration_inductance_lower_limit"));
}

}  // namespace
}  // namespace vantor
