#include <gtest/gtest.h>

#include "sim/module_fixture.h"
#include "sim/network_parameters.h"
#include "support/module_bench.h"

namespace vantor::sim {
namespace {

using test::ModuleFixture;

// The port as the link left it: the module's format unless a case changes it.
struct LineBench {
    LineBench() : moduleLine(fixture.module, FaultInjector({}, 1)), line(moduleLine, port) { line.Open(); }
    std::string ask() {
        std::string reply;
        status = line.Transact(test::request(16, "Cnt", true), reply);
        return reply;
    }
    ModuleFixture fixture;
    ModuleLine moduleLine;
    Sio port;
    InProcessLine line;
    int status = 0;
};

TEST(InProcessLine, ModuleHearsOnlyItsOwnLineFormatAndAdapter) {
    const struct {
        const char* what;
        void (*change)(LineBench&);
        bool heard;
    } cases[] = {
        {"as the module listens", [](LineBench&) {}, true},
        {"other speed", [](LineBench& b) { b.port.baudRate = 19200; }, false},
        {"even parity", [](LineBench& b) { b.port.parityCode = 1; }, false},
        {"parity code 0 is none too", [](LineBench& b) { b.port.parityCode = 0; }, true},
        {"mark parity", [](LineBench& b) { b.port.parityCode = 2; }, false},
        {"seven data bits", [](LineBench& b) { b.port.dataBits = 7; }, false},
        {"two stop bits", [](LineBench& b) { b.port.stopBits = 2; }, false},
        {"adapter the module needs", [](LineBench& b) { b.line.adapterNeeded = kAdapterAuto; }, true},
        {"other adapter", [](LineBench& b) { b.line.adapterNeeded = kAdapterZk7; }, false},
    };
    for (const auto& c : cases) {
        LineBench bench;
        c.change(bench);
        const std::string reply = bench.ask();
        EXPECT_EQ(bench.status, c.heard ? kTransactDone : kTransactTimeout) << c.what;
        EXPECT_EQ(!reply.empty(), c.heard) << c.what;
    }
}

TEST(InProcessLine, ClosedLineAndLongReplies) {
    LineBench bench;
    bench.line.Close();
    EXPECT_FALSE(bench.line.Usable());
    EXPECT_EQ(bench.line.Close(), -2);
    bench.ask();
    EXPECT_EQ(bench.status, kTransactFailed);
    bench.line.openResult = -2;
    EXPECT_EQ(bench.line.Open(), -2);
    EXPECT_FALSE(bench.line.Usable());

    // Nine data bytes make a reply longer than the port takes: it arrives cut.
    bench.line.openResult = 0;
    bench.line.Open();
    auto& gain = *bench.fixture.module.parameters().find("Gain");
    gain.type = "string";
    gain.value = Bytes(9, '1');
    std::string reply;
    EXPECT_EQ(bench.line.Transact(test::request(16, "Gain", true), reply), kTransactDone);
    EXPECT_EQ(reply.size(), kReplyCapacity);
}

TEST(FactorySettings, DescriptionWithoutNetworkValuesListensAtTheFactorySettings) {
    // KQ-07's description gives its network parameters no values.
    const ParameterTable table = vantor::test::shippedTable(6);
    const NetworkSettings settings = settingsFromParameters(table, NetworkSettings{1, 11, {2400, Parity::Odd, 7, 2}});
    EXPECT_EQ(settings, (NetworkSettings{16, 8, {9600, Parity::None, 8, 1}}));
}

}  // namespace
}  // namespace vantor::sim
