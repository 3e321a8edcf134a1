#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "description/catalogue.h"
#include "device/device.h"
#include "device/model_match.h"
#include "sim/builtin_parameters.h"
#include "support/module_bench.h"
#include "text/texts.h"

namespace vantor {
namespace {

using test::ModuleBench;
using ::testing::ElementsAre;

constexpr int kKq07 = 6, kKq15 = 13, kKq16 = 14;

// What went on the line, one entry per run of equal requests: "dev/auto x2" is the
// request for "dev" sent twice (a time-out and its resend) in adapter mode Auto.
std::vector<std::string> lineSummary(const test::RecordingLine& recorder) {
    std::vector<std::string> summary;
    std::string last;
    int count = 0;
    const auto flush = [&] {
        if (count) summary.push_back(last + " x" + std::to_string(count));
    };
    for (const auto& sent : recorder.sent) {
        std::string kind;
        ReceivedFrame frame;
        if (ParseFrame(sent.frame, frame) == FrameCheck::Ok)
            kind = frame.hash == hash_name("dev")    ? "dev"
                   : frame.hash == hash_name("ver")  ? "ver"
                   : frame.hash == hash_name("tdev") ? "tdev"
                                                     : "native " + std::to_string(frame.hash);
        else if (sent.frame.front() == ':')
            kind = "ascii";
        else if (sent.frame.front() == '%')
            kind = "dcon";
        else
            kind = "rtu";
        kind += sent.adapterMode == kAdapterAuto ? "/auto" : "/zk7";
        if (kind != last) {
            flush();
            last = kind;
            count = 0;
        }
        ++count;
    }
    flush();
    return summary;
}

std::vector<std::string> tail(std::vector<std::string> all, std::size_t n) {
    return {all.end() - static_cast<std::ptrdiff_t>(std::min(n, all.size())), all.end()};
}

// A bench of the shipped description of `model`.
struct Bench : ModuleBench<Device> {
    explicit Bench(int model, std::optional<ProtocolMode> asleep = std::nullopt, const std::string& firmware = "1.0")
        : ModuleBench<Device>(model, test::shippedTable(model, firmware), asleep, firmware) {}
};

// ---- CheckConnection ------------------------------------------------------------------

TEST(CheckConnection, NoModuleTriesEveryProtocolInBothAdapterModes) {
    Bench bench(kKq16);
    test::DeadLine dead;
    test::RecordingLine recorder(dead, dead, bench.link.sio());
    bench.link.attachLine(&recorder, &recorder);
    bench.link.setProtocolMode(ProtocolMode::ModbusAscii);
    bool portFailed = false;
    EXPECT_FALSE(bench.link.CheckConnection(portFailed));
    EXPECT_FALSE(portFailed);
    EXPECT_EQ(bench.link.protocolMode(), ProtocolMode::Native);
    // Four identifications ("dev" then "ver"), two native-mode requests in each
    // foreign protocol; every request is sent again after its time-out.
    EXPECT_THAT(lineSummary(recorder),
                ElementsAre("dev/auto x2", "ver/auto x2", "dev/zk7 x2", "ver/zk7 x2", "rtu/auto x2", "rtu/zk7 x2",
                            "ascii/auto x2", "ascii/zk7 x2", "dcon/auto x2", "dcon/zk7 x2", "dev/auto x2",
                            "ver/auto x2", "dev/zk7 x2", "ver/zk7 x2"));
    EXPECT_EQ(app().resultFlags(), 1u << kResultNoAnswer);
    EXPECT_EQ(app().currentModel(), -1);
}

TEST(CheckConnection, PortThatCannotBeOpened) {
    Bench bench(kKq16);
    bench.line.openResult = -1;
    bool portFailed = false;
    EXPECT_FALSE(bench.link.CheckConnection(portFailed));
    EXPECT_TRUE(portFailed);
    EXPECT_TRUE(bench.recorder.sent.empty());
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].caption, "Serial port opening error");
}

TEST(CheckConnection, FindsACatalogueModule) {
    Bench bench(kKq16);
    app().replaceResultFlags((1u << kResultTransmission) | (1u << kResultNotRecognised) | (1u << kResultCancelled));
    bool portFailed = false;
    EXPECT_TRUE(bench.link.CheckConnection(portFailed));
    EXPECT_EQ(app().currentModel(), kKq16);
    EXPECT_EQ(app().resultFlags(), 1u << kResultCancelled);
    EXPECT_THAT(lineSummary(bench.recorder), ElementsAre("dev/auto x1", "tdev/auto x1", "ver/auto x1"));
}

TEST(CheckConnection, ModuleBehindAnAdapterDrivenByRts) {
    Bench bench(kKq16);
    bench.line.adapterNeeded = kAdapterZk7;
    bool portFailed = false;
    EXPECT_TRUE(bench.link.CheckConnection(portFailed));
    EXPECT_EQ(bench.link.sio().adapterMode.load(), kAdapterZk7);
    EXPECT_THAT(lineSummary(bench.recorder),
                ElementsAre("dev/auto x2", "ver/auto x2", "dev/zk7 x1", "tdev/zk7 x1", "ver/zk7 x1"));
}

TEST(CheckConnection, UnknownModuleKeepsTheAdapterMode) {
    Bench bench(kKq16);
    bench.module.parameters().find("dev")->value = sim::reversedText("xq-99");
    bool portFailed = false;
    EXPECT_FALSE(bench.link.CheckConnection(portFailed));
    EXPECT_EQ(app().resultFlags(), 1u << kResultNotRecognised);
    EXPECT_EQ(app().exitCode(), 206);
    EXPECT_EQ(app().currentModel(), -1);
    // Each round asks twice in Auto: the module answered, the mode was right.
    const auto summary = lineSummary(bench.recorder);
    EXPECT_EQ(std::vector<std::string>(summary.begin(), summary.begin() + 2),
              (std::vector<std::string>{"dev/auto x1", "ver/auto x1"}));
    EXPECT_EQ(summary[2], "dev/auto x1");
    EXPECT_EQ(bench.link.protocolMode(), ProtocolMode::Native);
}

TEST(CheckConnection, WakesAModuleAsleepInEachForeignProtocol) {
    const struct {
        ProtocolMode mode;
        std::optional<AdapterMode> adapter;
        std::vector<std::string> lastSteps;  // the acknowledged request and what follows
    } cases[] = {
        {ProtocolMode::ModbusRtu, std::nullopt, {"rtu/auto x1", "dev/auto x1"}},
        {ProtocolMode::ModbusAscii, std::nullopt, {"ascii/auto x1", "dev/auto x1"}},
        {ProtocolMode::Dcon, std::nullopt, {"dcon/auto x1", "dev/auto x1"}},
        // Heard only with RTS driven: the identification stays in that mode.
        {ProtocolMode::Dcon, kAdapterZk7, {"dcon/auto x2", "dcon/zk7 x1", "dev/zk7 x1"}},
    };
    for (const auto& c : cases) {
        Bench bench(kKq15, c.mode);
        bench.line.adapterNeeded = c.adapter;
        bool portFailed = false;
        EXPECT_TRUE(bench.link.CheckConnection(portFailed)) << int(c.mode);
        EXPECT_EQ(app().currentModel(), kKq15) << int(c.mode);
        EXPECT_EQ(bench.link.protocolMode(), ProtocolMode::Native);
        EXPECT_EQ(app().resultFlags() & (1u << kResultNoAnswer), 0u) << int(c.mode);
        auto summary = lineSummary(bench.recorder);
        // After "dev": "tdev" and "ver".
        ASSERT_GE(summary.size(), c.lastSteps.size() + 2);
        summary.resize(summary.size() - 2);
        EXPECT_EQ(tail(summary, c.lastSteps.size()), c.lastSteps) << int(c.mode);
    }
}

TEST(CheckConnection, ModelWithoutFactoryNetworkValuesAnswersAtTheFactorySettings) {
    Bench bench(kKq07);  // its description gives no network init values
    bool portFailed = false;
    EXPECT_TRUE(bench.link.CheckConnection(portFailed));
    EXPECT_EQ(app().currentModel(), kKq07);
}

// ---- IdentifyDevice -------------------------------------------------------------------

TEST(IdentifyDevice, ReportsTheModuleAndItsFirmware) {
    Bench bench(kKq16, std::nullopt, "2.15 b");  // a reply carries 8 bytes at most
    EXPECT_EQ(bench.link.IdentifyDevice(true), kIdentifyAnswered | kIdentifyRecognised);
    EXPECT_EQ(app().currentModel(), kKq16);  // "tdev" 1: the four-channel variant
    EXPECT_EQ(bench.link.firmware.major, 2);
    EXPECT_EQ(bench.link.firmware.minor, 15);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, "Device  kq-15\nFirmware  2.15 b\n");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Information);

    Bench oneChannel(kKq15);
    EXPECT_EQ(oneChannel.link.IdentifyDevice(false), 3);
    EXPECT_EQ(app().currentModel(), kKq15);
    EXPECT_TRUE(oneChannel.ui.messages.empty());
}

TEST(IdentifyDevice, NoAnswer) {
    Bench bench(kKq16);
    bench.line.adapterNeeded = kAdapterZk7;
    EXPECT_EQ(bench.link.IdentifyDevice(true), 0);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text,
              "Parameter error 'dev': \nTime-out error\nParameter error 'ver':\nTime-out error\n");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(bench.link.firmware.major, -1);
}

TEST(IdentifyDevice, ModelChosenByHandIsKept) {
    Bench bench(kKq16);
    bench.link.catalogueFixed = true;
    app().setCurrentModel(0);
    EXPECT_EQ(bench.link.IdentifyDevice(false), 3);
    EXPECT_EQ(app().currentModel(), 0);
    ASSERT_EQ(bench.ui.messages.size(), 1u);
    EXPECT_EQ(bench.ui.messages[0].text, "Found device:" + modelDisplayName(kKq16) +
                                             "\r\nChoosed to work:" + modelDisplayName(0) +
                                             "\r\nFound and choosed devices don't match.\r\n\r\nRestart program.");
    EXPECT_EQ(bench.ui.messages[0].icon, MessageIcon::Error);

    // The chosen one found: nothing to say.
    bench.ui.messages.clear();
    app().setCurrentModel(kKq16);
    EXPECT_EQ(bench.link.IdentifyDevice(false), 3);
    EXPECT_TRUE(bench.ui.messages.empty());
}

TEST(IdentifyDevice, NameIsMatchedIgnoringCase) {
    Bench bench(kKq16);
    bench.module.parameters().find("dev")->value = sim::reversedText("KQ-07");
    EXPECT_EQ(bench.link.IdentifyDevice(false), 3);
    EXPECT_EQ(app().currentModel(), kKq07);

    EXPECT_TRUE(sameDeviceName("ПРИБОР-Ё1", "прибор-ё1"));
    EXPECT_TRUE(sameDeviceName("Kq-01", "KQ-01"));
    EXPECT_FALSE(sameDeviceName("kq-01", "kq-01 "));
    EXPECT_FALSE(sameDeviceName("прибор", "прибоп"));
    EXPECT_EQ(findCatalogueModel("KQ-24"), 22);
    EXPECT_EQ(findCatalogueModel("kq-14"), -1);
}

}  // namespace
}  // namespace vantor
