#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <thread>

#include "sim/line_server.h"
#include "sim/module_fixture.h"
#include "support/pty_peer.h"

namespace vantor {
namespace {

using test::ModuleFixture;
using test::request;

// A client that sends and never reads fills the line with replies; the server must
// still hear its stop request instead of waiting forever for the line to drain.
TEST(LineServer, StopsWhileNobodyReadsTheReplies) {
    ModuleFixture fixture(16);
    sim::ModuleLine line(fixture.module, sim::FaultInjector({}, 1));
    sim::Terminal terminal = sim::Terminal::openPseudo(sim::LineSettings{});
    sim::FrameLog log("");
    sim::LineServer server(terminal, line, log, {false, 1, true});
    int stop[2];
    ASSERT_EQ(pipe(stop), 0);
    std::string error;
    bool served = false;
    std::thread serving([&] { served = server.run(stop[0], error); });

    const int client = open(terminal.path().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(client, 0);
    // Far more replies than a pseudo-terminal holds: the client's writes complete only
    // once the server has read the requests, so it has met a full line by then.
    std::string burst;
    for (int i = 0; i < 20000; ++i) burst += request(16, "Addr", true);
    for (std::size_t sent = 0; sent < burst.size();) {
        const ssize_t n = ::write(client, burst.data() + sent, burst.size() - sent);
        ASSERT_GT(n, 0);
        sent += static_cast<std::size_t>(n);
    }
    ASSERT_EQ(::write(stop[1], "x", 1), 1);
    serving.join();
    EXPECT_TRUE(served) << error;

    // The replies that found room wait in the client's queue, whole, in order.
    const std::string reply = "#HGGIPVMIGGHGNKVO\r";
    std::string first(reply.size(), '\0');
    ASSERT_EQ(::read(client, first.data(), first.size()), static_cast<ssize_t>(reply.size()));
    EXPECT_EQ(first, reply);
    close(client);
    close(stop[0]);
    close(stop[1]);
}

// Served on a serial device that goes away (here the far end of a pseudo-terminal
// closing, as an unplugged adapter does): the server ends with the reason instead of
// reading the hung-up line in a loop.
TEST(LineServer, EndsWhenItsDeviceVanishes) {
    ModuleFixture fixture(16);
    sim::ModuleLine line(fixture.module, sim::FaultInjector({}, 1));
    test::PtyPeer device;
    const std::string path = device.devicePath();
    sim::Terminal terminal = sim::Terminal::openDevice(path, sim::LineSettings{});
    sim::FrameLog log("");
    sim::LineServer server(terminal, line, log, {false, 1, false});
    int stop[2];
    ASSERT_EQ(pipe(stop), 0);
    device.hangUp();
    std::string error;
    EXPECT_FALSE(server.run(stop[0], error));
    EXPECT_EQ(error, "Serial port " + path + " was closed or disconnected");
    close(stop[0]);
    close(stop[1]);
}

}  // namespace
}  // namespace vantor
