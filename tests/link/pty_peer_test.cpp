#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

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
    // The request is recorded before the reply is written: once the reply's first
    // character is on the line, the peer is writing the rest, which cannot all fit.
    char first = 0;
    ASSERT_EQ(::read(line, &first, 1), 1);
    peer.stop();
    EXPECT_EQ(peer.requests(), std::vector<std::string>{"#\r"});
    // Stopped in the middle of the reply: what reached the line is a part of it.
    ASSERT_EQ(::fcntl(line, F_SETFL, O_NONBLOCK), 0);
    std::string delivered(1, first);
    char chunk[4096];
    for (ssize_t n; (n = ::read(line, chunk, sizeof chunk)) > 0;) delivered.append(chunk, static_cast<std::size_t>(n));
    EXPECT_LT(delivered.size(), std::size_t{1} << 20);
    EXPECT_EQ(delivered, std::string(delivered.size(), 'H'));
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
