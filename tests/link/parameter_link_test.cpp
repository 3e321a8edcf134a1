#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "link/parameter_link.h"
#include "protocol/foreign.h"
#include "support/module_bench.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::ModuleBench;
using ::testing::ElementsAre;
const std::uint16_t kAttr = hash_name("M.s.t.r.");

sim::ModuleParameter moduleParameter(const std::string& name, const std::string& type, Bytes value, int index = -1) {
    sim::ModuleParameter p;
    p.name = name;
    p.type = type;
    p.indexed = index >= 0;
    p.dataIndex = std::max(index, 0);
    p.value = p.defaultValue = std::move(value);
    return p;
}

// "Cnt" int, "Lvl" indexed 0..3, "JuRD" with its trailer, "clb.k" indexed 2 and 3,
// "Log", "Flag" without attributes.
sim::ParameterTable smallTable() {
    sim::ParameterTable table;
    table.add(moduleParameter("Cnt", "int", {0x05}));
    for (int i = 0; i < 4; ++i) table.add(moduleParameter("Lvl", "int", {static_cast<std::uint8_t>(10 + i)}, i));
    table.add(moduleParameter("JuRD", "int", {0x00, 0x00, 0x01, 0x02, 0x09, 0x09, 0x09}));
    for (int i = 2; i < 4; ++i) table.add(moduleParameter("clb.k", "int", {0x00, 0x01}, i));
    table.add(moduleParameter("Log", "int", {0x2A}));
    auto flag = moduleParameter("Flag", "int", {0x01});
    flag.hasAttributes = false;
    table.add(flag);
    return table;
}

// An "int" parameter as the tree holds it.
struct Param : Parameter {
    explicit Param(const std::string& parameterName, int index = -1, bool attributes = true)
        : Parameter(parameterName) {
        type = "int";
        indexed = index >= 0;
        dataIndex = std::max(index, 0);
        hasAttributes = attributes;
    }
};

// `lead` followed by the hash, high byte first.
Bytes withHash(Bytes lead, std::uint16_t hash) {
    lead.push_back(static_cast<std::uint8_t>(hash >> 8));
    lead.push_back(static_cast<std::uint8_t>(hash & 0xFF));
    return lead;
}

std::string frame(std::uint16_t hash, bool read, Bytes data) {
    return *BuildFrame({16, 8, read, hash, std::move(data)});
}

// The model as the link sees it, recording what it is told.
class FakeModel : public DeviceModelLink {
public:
    bool IsNetworkSettingName(const std::string& name) const override { return name == "Cnt"; }
    void OnLogParameter(Parameter& parameter) override { logged.push_back(parameter.valueText); }
    bool InitAfterWrite() const override { return false; }
    std::string DisplayName() const override { return "KQ-TEST"; }
    std::vector<std::string> logged;
};

class Engine : public ::testing::Test {
protected:
    Engine() { bench.link.deviceModel = &model; }
    std::vector<std::string> sentFrames() const {
        std::vector<std::string> frames;
        for (const auto& s : bench.recorder.sent) frames.push_back(s.frame);
        return frames;
    }
    // Makes every request go unheard: the module's line needs the other adapter mode.
    void deafenModule() { bench.line.adapterNeeded = kAdapterZk7; }

    ModuleBench<ParameterLink> bench{0, smallTable()};
    FakeModel model;
};

// ---- frames on the wire ---------------------------------------------------------------

TEST_F(Engine, AttributeExchangeFramesAndReplies) {
    bench.ui.switches[OptionSwitch::SendAttributes] = true;
    const std::uint16_t cnt = hash_name("Cnt"), lvl = hash_name("Lvl");

    // A write of a user-owned editable value writes its attribute byte first.
    Param write("Cnt");
    write.valueText = "7";
    EXPECT_EQ(bench.link.ExchangeParameter(0, &write), 0);
    // An indexed read asks for the attributes of that index, then the value.
    Param read("Lvl", 2);
    read.editable = 0;
    read.manufacturerOwned = 1;
    read.editableChanged = read.ownerChanged = 1;
    EXPECT_EQ(bench.link.ExchangeParameter(1, &read), 0);
    EXPECT_THAT(sentFrames(),
                ElementsAre(frame(kAttr, false, withHash({0x03}, cnt)), frame(cnt, false, {0x07}),
                            frame(kAttr, true, withHash({0x00, 0x02}, lvl)), frame(lvl, true, {0x00, 0x02})));
    EXPECT_EQ(read.valueText, "12");
    // The module's answer: editable, the user's own.
    EXPECT_EQ(read.editable, 1);
    EXPECT_EQ(read.manufacturerOwned, 0);
    EXPECT_EQ(read.editableChanged + read.ownerChanged, 0);
    EXPECT_EQ(bench.module.parameters().find("Cnt")->value, Bytes{0x07});
}

TEST_F(Engine, AttributesAreOnlyReadWithoutTheRightToWriteThem) {
    app().setAccessLevel(1);
    test::SwitchingUserInterface ui;
    ui.switches[OptionSwitch::SendAttributes] = true;
    ParameterLink link(ui);
    EXPECT_FALSE(link.attributeWritingAllowed);
    link.attachLine(&bench.recorder, &bench.recorder);
    link.baseAddress = 16;
    Param write("Cnt");
    write.valueText = "7";
    EXPECT_EQ(link.ExchangeParameter(0, &write), 0);
    const std::uint16_t cnt = hash_name("Cnt");
    EXPECT_EQ(sentFrames().front(), frame(kAttr, true, withHash({}, cnt)));
}

TEST_F(Engine, AttributeSwitchOffSendsNoAttributeFrames) {
    // Off is the state after start-up; parameters without attributes, and sampled ones,
    // never exchange them.
    Param cnt("Cnt");
    EXPECT_EQ(bench.link.ExchangeParameter(1, &cnt), 0);
    bench.ui.switches[OptionSwitch::SendAttributes] = true;
    Param flag("Flag", -1, false);
    EXPECT_EQ(bench.link.ExchangeParameter(1, &flag), 0);
    Param sampled("Cnt");
    sampled.PrepareSampling();
    EXPECT_EQ(bench.link.ExchangeParameter(1, &sampled), 0);
    EXPECT_EQ(bench.recorder.framesWithHash(kAttr), 0u);
    EXPECT_EQ(bench.recorder.sent.size(), 3u);
}

TEST_F(Engine, AttributeFailures) {
    bench.ui.switches[OptionSwitch::SendAttributes] = true;
    // A reply of the wrong length.
    struct ShortAttributes : sim::ModuleHooks {
        std::optional<sim::ModuleReply> intercept(const sim::ModuleRequest& request, sim::ParameterTable&,
                                                  std::int64_t) override {
            if (request.hash == hash_name("M.s.t.r.")) return sim::ModuleReply{request.hash, {0x03, 0x00}};
            return std::nullopt;
        }
    };
    bench.module.setHooks(std::make_unique<ShortAttributes>());
    Param cnt("Cnt");
    EXPECT_EQ(bench.link.ExchangeParameter(1, &cnt), kExchangeAttributeLength);
    EXPECT_EQ(cnt.errorText, "Attribute error, incorrect response message length");
    EXPECT_EQ(bench.recorder.sent.size(), 1u);
    // No answer at all: the frame's own text.
    deafenModule();
    EXPECT_EQ(bench.link.ExchangeParameter(1, &cnt), kExchangeAttributesFailed);
    EXPECT_EQ(cnt.errorText, "Time-out error");
}

TEST_F(Engine, IndexAndTrailerAreNotDecoded) {
    Param lvl("Lvl", 3);
    EXPECT_EQ(bench.link.ExchangeParameter(1, &lvl), 0);
    EXPECT_EQ(sentFrames().back(), frame(hash_name("Lvl"), true, {0x00, 0x03}));
    EXPECT_EQ(lvl.valueText, "13");  // from the reply 0D 00 03

    // "JuRD" answers 7 bytes; the first 4 are the value.
    Param journal("JuRD");
    EXPECT_EQ(bench.link.ExchangeParameter(1, &journal), 0);
    EXPECT_EQ(journal.valueText, "258");
    EXPECT_EQ(journal.errorText, "");
}

TEST_F(Engine, ReplyThatCannotBeDecoded) {
    Param cnt("Cnt");
    cnt.type = "off:on";  // the module answers 5: no such choice
    cnt.valueText = "old";
    cnt.valueChanged = 1;
    EXPECT_EQ(bench.link.ExchangeParameter(1, &cnt), kExchangeNotDecoded);
    EXPECT_EQ(cnt.errorText, "Response cannot be decoded");
    EXPECT_EQ(cnt.valueText, "");
    EXPECT_EQ(cnt.valueChanged, 1);
}

TEST_F(Engine, ReportListsTheFrameBytes) {
    Param cnt("Cnt");
    cnt.valueText = "65";
    std::vector<std::string> report;
    EXPECT_EQ(bench.link.ExchangeParameter(0, &cnt, &report), 0);
    EXPECT_THAT(report, ElementsAre("1 data bytes in request frame", ">> request: # 0 : 065 = 0x41 (A)",
                                    "<< response: # 0 : 065 = 0x41 (A)", "1 data bytes in response"));

    // Without a setter the report says so and nothing is sent; without a report the
    // frame goes out all the same.
    Parameter dev("dev");
    dev.type = "string";
    dev.valueText = "x";
    report.clear();
    bench.recorder.sent.clear();
    EXPECT_EQ(bench.link.ExchangeParameter(0, &dev, &report), kExchangeNoSetter);
    EXPECT_THAT(report, ElementsAre("Setter method are not defined for the function 'dev'"));
    EXPECT_TRUE(bench.recorder.sent.empty());
    bench.link.ExchangeParameter(0, &dev);
    EXPECT_EQ(bench.recorder.sent.size(), 1u);

    Parameter mode("Mode");
    mode.type = "off:on";
    mode.valueText = "sideways";
    report.clear();
    EXPECT_EQ(bench.link.ExchangeParameter(0, &mode, &report), kExchangeNotEncoded);
    EXPECT_THAT(report, ElementsAre("Bad value (data encoding impossible)"));
}

TEST_F(Engine, PortAndProtocolModeFirst) {
    Param cnt("Cnt");
    EXPECT_EQ(bench.link.ExchangeParameter(1, nullptr), kExchangePortUnusable);
    bench.line.Close();
    EXPECT_EQ(bench.link.ExchangeParameter(1, &cnt), kExchangePortUnusable);
    EXPECT_EQ(cnt.errorText, "Serial port opening error");
    EXPECT_TRUE(bench.recorder.sent.empty());

    // In a foreign mode every exchange is the native-mode request.
    bench.line.Open();
    bench.link.setProtocolMode(ProtocolMode::Dcon);
    EXPECT_EQ(bench.link.ExchangeParameter(1, &cnt), kForeignTimeout);
    EXPECT_EQ(cnt.errorText, "Time-out error");
    EXPECT_EQ(bench.recorder.sent.front().frame, WrapForeign(ProtocolMode::Dcon, Bytes{16, 'T', 'A', 'V', 'R'}));
    bench.link.setProtocolMode(ProtocolMode::Native);
}

// ---- network name ---------------------------------------------------------------------

TEST(EngineNetworkName, FourCharacterElements) {
    sim::ParameterTable table;
    for (int i = 0; i < 4; ++i) table.add(moduleParameter("CHAr", "int", {78}, 8 + i));
    ModuleBench<ParameterLink> bench(0, std::move(table));
    bench.ui.switches[OptionSwitch::SendAttributes] = true;
    Param name("CHAr*", 8);
    name.type = "name";
    name.indexed = 0;
    name.valueText = "ab.c";
    ASSERT_EQ(bench.link.ExchangeParameter(0, &name), 0) << name.errorText;
    // Each character: its attributes, then its code at its own index.
    const auto frames = bench.recorder.frames();
    ASSERT_EQ(frames.size(), 8u);
    const std::uint16_t hash = hash_name("CHAr");
    const Bytes codes = {20, 23, 24, 78};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(frames[2 * i].hash, kAttr);
        EXPECT_EQ(frames[2 * i].data, (Bytes{0x03, 0x00, static_cast<std::uint8_t>(8 + i), 0x36, 0x28}));
        EXPECT_EQ(frames[2 * i + 1].hash, hash);
        EXPECT_EQ(frames[2 * i + 1].data, (Bytes{codes[i], 0x00, static_cast<std::uint8_t>(8 + i)}));
    }
    EXPECT_EQ(name.valueText, "AB.C ");  // rebuilt from what the module took

    bench.module.parameters().find("CHAr", 11)->value = {90};
    EXPECT_EQ(bench.link.ExchangeParameter(1, &name), kExchangeNotDecoded);
    EXPECT_EQ(name.errorText, "Invalid character code in network name (CHAr)");

    name.valueText = "a+b";
    EXPECT_EQ(bench.link.ExchangeParameter(0, &name), kExchangeNotEncoded);
    EXPECT_EQ(name.errorText, "Invalid character in network name (CHAr)");
}

// ---- counted read and write -----------------------------------------------------------

TEST_F(Engine, ReadCountsLogsAndHandsOnTheLog) {
    int modified = 0;
    bench.link.onDocumentModified = [&] { ++modified; };
    Param lvl("Lvl", 1);
    Param log("Log");
    EXPECT_EQ(bench.link.ReadParameter(lvl, true), 0);
    EXPECT_EQ(bench.link.ReadParameter(log, true), 0);
    Param negative("Lvl");
    negative.dataIndex = -2;
    EXPECT_EQ(bench.link.ReadParameter(negative, true), kExchangeNegativeIndex);
    EXPECT_EQ(bench.link.progressDone.load(), 3);
    EXPECT_EQ(modified, 2);
    EXPECT_THAT(model.logged, ElementsAre("42"));
    EXPECT_THAT(bench.ui.progressLines, ElementsAre("Reading Lvl:1 = 11", "Reading Log = 42"));
    EXPECT_EQ(bench.recorder.sent.size(), 2u);
}

TEST_F(Engine, FiveReadTimeoutsStopTheOperation) {
    bench.ui.switches[OptionSwitch::ReadWhenOpen] = true;
    Param cnt("Cnt");
    Param lvl("Lvl", 0);
    deafenModule();
    for (int i = 0; i < 4; ++i) bench.link.ReadParameter(cnt, true);
    // A read that is not a time-out starts the count again.
    bench.line.adapterNeeded.reset();
    EXPECT_EQ(bench.link.ReadParameter(lvl, true), 0);
    deafenModule();
    for (int i = 0; i < 4; ++i) bench.link.ReadParameter(cnt, true);
    // Reads that do not count leave it alone.
    bench.link.ReadParameter(cnt, false);
    EXPECT_TRUE(bench.ui.messages.empty());
    EXPECT_FALSE(bench.link.cancelled());

    EXPECT_EQ(bench.link.ReadParameter(cnt, true), kExchangeFrameFailed);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    const std::string expected = FormatTextArgs(Text("IDS_STRING176"), 5, "KQ-TEST") + Text("IDS_STRING177") +
                                 "\" -  Data exchange is suspended\"\"\"";
    EXPECT_EQ(bench.ui.messages[0].text, expected);
    EXPECT_EQ(bench.ui.messages[0].text.substr(0, 30), "5 unsuccessful attempts of rea");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(bench.link.cancelled());
    EXPECT_FALSE(bench.ui.option(OptionSwitch::ReadWhenOpen));
    EXPECT_EQ(bench.link.consecutiveFailures.load(), 0);

    // The next five say it again, now without the "Read when open" line.
    bench.link.cancelEvent().reset();
    for (int i = 0; i < 5; ++i) bench.link.ReadParameter(cnt, true);
    ASSERT_EQ(bench.ui.messages.size(), 2u);
    EXPECT_EQ(bench.ui.messages[1].text,
              FormatTextArgs(Text("IDS_STRING176"), 5, "KQ-TEST") + "\" -  Data exchange is suspended\"\"\"");
}

TEST_F(Engine, FailuresGoToTheErrorLog) {
    const auto path = std::filesystem::temp_directory_path() / ("vantor_elog_" + std::to_string(::getpid()));
    std::filesystem::remove(path);
    app().errorLogPath() = path.string();
    Param lvl("Lvl", 7);  // not in the module
    Param cnt("Cnt");
    bench.link.ReadParameter(lvl, true);
    bench.link.ReadParameter(cnt, true);  // fine: nothing logged
    deafenModule();
    cnt.valueText = "3";
    bench.link.WriteParameter(cnt, 1);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "Lvl:7 - Parameter index out of range\nCnt - Time-out error\n");
    std::filesystem::remove(path);
}

TEST_F(Engine, WriteSourcesAndTheirRules) {
    struct Case {
        const char* name;
        int index;
        const char* configuration;
        int source;
        int result;
        std::optional<Bytes> sent;  // the frame's data; nothing when no frame goes out
    } cases[] = {
        {"clb.k", 2, "77", -1, 0, Bytes{0x00, 0x00, 0x00, 0x02}},
        {"clb.k", 3, "77", -1, 0, Bytes{0x0F, 0xFF, 0x00, 0x03}},
        {"clb.k", 3, "77", 1, 0, Bytes{0x00, 0x0C, 0x00, 0x03}},  // the value text "12"
        {"Cnt", -1, "9", -1, 0, Bytes{0x09}},
        {"Cnt", -1, "no data", -1, kExchangeNoData, std::nullopt},
    };
    for (const Case& c : cases) {
        bench.recorder.sent.clear();
        Param p(c.name, c.index);
        p.valueText = "12";
        p.configurationValue = c.configuration;
        EXPECT_EQ(bench.link.WriteParameter(p, c.source), c.result) << c.name << c.index;
        if (!c.sent) {
            EXPECT_TRUE(bench.recorder.sent.empty());
            EXPECT_EQ(p.errorText, "Value has not been saved, because the parameter is not initialized");
            continue;
        }
        ASSERT_EQ(bench.recorder.frames().size(), 1u);
        EXPECT_EQ(bench.recorder.frames()[0].hash, hash_name(c.name));
        EXPECT_EQ(bench.recorder.frames()[0].data, *c.sent) << c.name << c.index;
    }
    Param negative("Lvl");
    negative.dataIndex = -1;
    negative.valueText = "1";
    bench.recorder.sent.clear();
    EXPECT_EQ(bench.link.WriteParameter(negative, 1), kExchangeNegativeIndex);
    EXPECT_TRUE(bench.recorder.sent.empty());
}

TEST_F(Engine, WriteLogsAndRaisesTheNetworkSettingsFlag) {
    Param cnt("Cnt");
    cnt.configurationValue = "8";
    cnt.valueChanged = 1;
    EXPECT_EQ(bench.link.WriteParameter(cnt, -1), 0);
    EXPECT_TRUE(bench.link.networkSettingsChanged);
    EXPECT_EQ(cnt.valueChanged, 0);
    Param lvl("Lvl", 1);
    lvl.valueText = "3";
    EXPECT_EQ(bench.link.WriteParameter(lvl, 1), 0);
    EXPECT_THAT(bench.ui.progressLines, ElementsAre("  Write: Cnt = 8 [new value]", "  Write: Lvl:1 = 3 [new value]"));
    EXPECT_EQ(bench.link.progressDone.load(), 2);

    bench.link.ConfigureLink(bench.linkSettings, false);
    EXPECT_FALSE(bench.link.networkSettingsChanged);
}

TEST_F(Engine, FiveFailedWritesStopTheOperation) {
    app().replaceResultFlags(1u << kResultDeviceError);
    deafenModule();
    Param cnt("Cnt");
    cnt.valueText = "1";
    for (int i = 0; i < 4; ++i) bench.link.WriteParameter(cnt, 1);
    EXPECT_FALSE(bench.link.cancelled());
    bench.link.WriteParameter(cnt, 1);
    EXPECT_TRUE(bench.link.cancelled());
    EXPECT_EQ(bench.ui.progressLines.back(), "5 unsuccessful write attempts");
    EXPECT_EQ(app().resultFlags(), 4u);
    EXPECT_TRUE(bench.ui.messages.empty());
    // A device error is no time-out: it does not count.
    bench.line.adapterNeeded.reset();
    bench.link.cancelEvent().reset();
    Param missing("Lvl", 9);
    missing.valueText = "1";
    for (int i = 0; i < 6; ++i) bench.link.WriteParameter(missing, 1);
    EXPECT_FALSE(bench.link.cancelled());
}

TEST_F(Engine, InstantWriteOnlyWhenSwitchedOnAndChanged) {
    Param cnt("Cnt");
    cnt.valueText = "4";
    cnt.valueChanged = 1;
    cnt.errorText = "old";
    EXPECT_EQ(bench.link.InstantWrite(cnt), kInstantWriteNothing);
    bench.ui.switches[OptionSwitch::InstantRecording] = true;
    cnt.valueChanged = 0;
    EXPECT_EQ(bench.link.InstantWrite(cnt), kInstantWriteNothing);
    EXPECT_TRUE(bench.recorder.sent.empty());
    cnt.valueChanged = 1;
    EXPECT_EQ(bench.link.InstantWrite(cnt), 0);
    EXPECT_EQ(cnt.errorText, "");
    EXPECT_EQ(bench.module.parameters().find("Cnt")->value, Bytes{0x04});
}

TEST_F(Engine, CompareReadsIntoAScratchCopy) {
    Param same("Lvl", 2);
    same.valueText = "12";
    EXPECT_EQ(bench.link.compareParameter(same), 0);
    Param differs("Cnt");
    differs.valueText = "6";
    EXPECT_EQ(bench.link.compareParameter(differs), kParameterDiffers);
    EXPECT_EQ(differs.valueText, "6");
    EXPECT_EQ(differs.errorText, "Device value '5', user = unknown");
    EXPECT_THAT(bench.ui.progressLines, ElementsAre("Compare Lvl=12:2<>12", "Compare Cnt=6<>5"));
    Param missing("Lvl", 9);
    missing.valueText = "1";
    EXPECT_NE(bench.link.compareParameter(missing), 0);
    EXPECT_EQ(missing.errorText, "Parameter index out of range");
    bench.link.cancelEvent().set();
    EXPECT_EQ(bench.link.compareParameter(same), 3);
}

// ---- the port -------------------------------------------------------------------------

TEST_F(Engine, OpenPortTakesTheSettingsAndReportsFailure) {
    bench.linkSettings = {"/dev/ttyX", 19200, kParityCodeOdd, 7, 2, 300, 11, kAdapterModeZk7};
    bench.line.openResult = -1;
    EXPECT_EQ(bench.link.OpenPort(true), -1);
    const Sio& sio = bench.link.sio();
    EXPECT_EQ(sio.portName, "/dev/ttyX");
    EXPECT_EQ(sio.baudRate, 19200u);
    EXPECT_EQ(sio.parityCode, 4u);
    EXPECT_EQ(sio.dataBits, 7u);
    EXPECT_EQ(sio.stopBits, 2u);
    EXPECT_EQ(sio.adapterMode.load(), kAdapterZk7);
    EXPECT_EQ(bench.link.baseAddress.load(), 300);
    EXPECT_EQ(bench.link.addressLength.load(), 11);
    EXPECT_EQ(app().resultFlags(), 2u);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text,
              "Cannot open serial port /dev/ttyX. Connection failed. Please check network settings.");
    EXPECT_EQ(bench.ui.messages[0].caption, "Serial port opening error");

    // Quiet when asked to be, and for a command-line job.
    EXPECT_EQ(bench.link.OpenPort(false), -1);
    app().commandLine().options = kOptCommandLineMode;
    EXPECT_EQ(bench.link.OpenPort(true), -1);
    EXPECT_EQ(bench.ui.messages.size(), 1u);

    // Eight data bits for the models that take no other; the adapter mode stays when
    // the settings name none; an opening clears the flag.
    bench.link.eightDataBitsOnly = true;
    bench.linkSettings.adapterMode.reset();
    bench.linkSettings.parityCode = kParityCodeEven;
    bench.line.openResult = 0;
    EXPECT_EQ(bench.link.OpenPort(true), 0);
    EXPECT_EQ(sio.dataBits, 8u);
    EXPECT_EQ(sio.parityCode, 1u);
    EXPECT_EQ(sio.adapterMode.load(), kAdapterZk7);
    EXPECT_EQ(app().resultFlags(), 0u);
    EXPECT_TRUE(bench.link.portUsable());

    // "silent": the port opens as ever, but a failure is not shown.
    app().commandLine().mode = kModeSilent;
    EXPECT_EQ(bench.link.OpenPort(true), 0);
    EXPECT_TRUE(bench.link.portUsable());
    const std::size_t shown = bench.ui.messages.size();
    bench.line.openResult = -1;
    EXPECT_EQ(bench.link.OpenPort(true), -1);
    EXPECT_EQ(bench.ui.messages.size(), shown);
    EXPECT_EQ(app().resultFlags(), 1u << kResultPortNotOpened);
}

}  // namespace
}  // namespace vantor
