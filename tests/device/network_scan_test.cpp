#include <gtest/gtest.h>

#include "device/network_scan.h"
#include "device/thread_bench.h"
#include "elements/object_with_parameters.h"
#include "text/texts.h"

namespace vantor {
namespace {

constexpr const char* kOffered = "2400:4800:9600:14400:19200:28800:38400:57600:115200";

struct Status {
    std::string text;
    bool error;
    bool operator==(const Status&) const = default;
};

Status scanning(const char* rate) { return {FormatText(Text("IDS_STRING264"), std::string(rate)), false}; }

// The module listens at `moduleBaud`; the link opens the port with the rate the
// settings element's "bPS" holds, as the program network settings hand it over.
struct ScanBench : test::ThreadBench {
    explicit ScanBench(int moduleBaud, const std::string& offered = kOffered)
        : ThreadBench(sim::NetworkSettings{16, 8, sim::LineSettings{moduleBaud}}) {
        auto rate = std::make_unique<Parameter>("bPS");
        rate->type = offered;
        rate->valueText = "9600";
        bps = rate.get();
        settings.appendParameter(std::move(rate));
        link.linkSettingsSource = [this] {
            LineSettings s = linkSettings;
            s.baudRate = static_cast<std::uint32_t>(std::stoul(bps->valueText));
            return s;
        };
    }
    NetworkScan scan() {
        return NetworkScan(link, settings, [this](const std::string& text, bool error) {
            statuses.push_back({text, error});
            if (onStatus) onStatus(text);
        });
    }

    ObjectWithParameters settings;
    Parameter* bps = nullptr;
    std::vector<Status> statuses;
    std::function<void(const std::string&)> onStatus;
};

TEST(NetworkScan, FindsAModuleAt19200AndKeepsTheRate) {
    ScanBench bench(19200);
    EXPECT_TRUE(bench.scan().Scan());
    EXPECT_EQ(bench.statuses, (std::vector<Status>{scanning("2400"),
                                                   scanning("4800"),
                                                   scanning("9600"),
                                                   scanning("14400"),
                                                   scanning("19200"),
                                                   {Text("IDS_STRING207"), false}}));
    EXPECT_EQ(bench.bps->valueText, "19200");
    EXPECT_EQ(bench.link.sio().baudRate, 19200u);
}

TEST(NetworkScan, NoModuleAtAnyRateRestoresTheRateFromBefore) {
    ScanBench bench(19200, "2400:4800:57600");
    EXPECT_FALSE(bench.scan().Scan());
    EXPECT_EQ(
        bench.statuses,
        (std::vector<Status>{scanning("2400"), scanning("4800"), scanning("57600"), {Text("IDS_STRING262"), true}}));
    EXPECT_EQ(bench.bps->valueText, "9600");
}

TEST(NetworkScan, CancelEndsTheScanAfterTheCheckInProgress) {
    ScanBench bench(19200);
    bench.onStatus = [&](const std::string& text) {
        if (text == scanning("4800").text) bench.link.cancelEvent().set();
    };
    EXPECT_FALSE(bench.scan().Scan());
    // No failure text after a cancel: the dialog is closing.
    EXPECT_EQ(bench.statuses, (std::vector<Status>{scanning("2400"), scanning("4800")}));
    EXPECT_EQ(bench.bps->valueText, "9600");
}

TEST(NetworkScan, WithoutChoicesInTheTypeTheModuleRatesAreOffered) {
    ScanBench bench(9600, "int");
    EXPECT_EQ(bench.scan().offeredRates(), (std::vector<std::string>{"2400", "4800", "9600", "14400", "19200", "28800",
                                                                     "38400", "57600", "115200"}));
}

TEST(NetworkScan, ConnectChecksTheSettingsAsTheyAre) {
    ScanBench found(9600);
    EXPECT_TRUE(found.scan().Connect());
    EXPECT_EQ(found.statuses, (std::vector<Status>{{Text("IDS_STRING203"), false}, {Text("IDS_STRING207"), false}}));

    ScanBench missing(19200);
    EXPECT_FALSE(missing.scan().Connect());
    EXPECT_EQ(missing.statuses, (std::vector<Status>{{Text("IDS_STRING203"), false}, {Text("IDS_STRING262"), true}}));
}

}  // namespace
}  // namespace vantor
