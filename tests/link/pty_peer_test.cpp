#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "link/sio.h"
#include "support/pty_peer.h"

namespace vantor {
namespace {

using test::PtyPeer;

TEST(PtyPeer, StopsWhileItsReplyCannotBeDelivered) {
    PtyPeer peer;
    // A reply far larger than the terminal buffers, and nobody reading it.
    peer.start([](const std::string&) { return std::string(1 << 20, 'H'); });
    const int line = ::open(peer.devicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(line, 0);
    ASSERT_EQ(::write(line, "#\r", 2), 2);
    while (peer.requestCount() == 0) {
        // The request is recorded before the reply is written: wait for it on the line.
        char c;
        ASSERT_EQ(::read(line, &c, 1), 1);
    }
    peer.stop();
    ::close(line);
}

TEST(PtyPeer, AnswersAgainAfterARestart) {
    PtyPeer peer;
    peer.start([](const std::string&) { return std::string(); });
    peer.stop();
    peer.start([](const std::string&) { return std::string("#OK\r"); });
    Sio sio;
    sio.portName = peer.devicePath();
    ASSERT_EQ(sio.Open(), 0);
    std::string reply;
    EXPECT_EQ(sio.Transact("#HGHGPVMIRPTK\r", reply), kTransactDone);
    EXPECT_EQ(reply, "#OK\r");
    peer.stop();
}

}  // namespace
}  // namespace vantor
