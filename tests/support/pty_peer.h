#pragma once
// A scripted peer on a pseudo-terminal pair: the code under test opens devicePath() as
// its serial port, the peer thread reads each request on the other side, records it and
// writes back whatever the script answers. Later end-to-end tests use it as a stand-in
// module line.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vantor::test {

class PtyPeer {
public:
    // Length of the first complete request in `buffered`, or 0 while it is incomplete.
    using Splitter = std::function<std::size_t(std::string_view buffered)>;
    // The bytes to write back for one request; empty means silence.
    using Responder = std::function<std::string(const std::string& request)>;

    // A request is everything up to and including a carriage return (native frames,
    // DCON, and Modbus ASCII without its line feed).
    static std::size_t upToCarriageReturn(std::string_view buffered);
    // A request is exactly `length` bytes (Modbus RTU).
    static Splitter fixedLength(std::size_t length);

    // Sending this line makes the peer echo it without recording it: once the echo is
    // back, every request sent before it has been recorded.
    static constexpr std::string_view kSync = "~sync\r";

    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    const std::string& devicePath() const { return devicePath_; }

    // Runs the peer thread (a running one is stopped first). The responder runs on it: stop() the peer before anything
    // the responder uses goes away.
    void start(Responder responder, Splitter splitter = upToCarriageReturn);
    void stop();
    // Stops the peer and closes its side of the pair for good, as a module line vanishes
    // (an adapter unplugged): whoever holds the device sees it hung up, and its path is
    // gone. Call it from the test thread, never from the responder.
    void hangUp();

    std::vector<std::string> requests() const;
    std::size_t requestCount() const;

private:
    void run();
    void handle(const std::string& request);
    void writeAll(std::string_view bytes);

    int master_ = -1;
    int slave_ = -1;  // kept open so the master never sees a hang-up between users
    int stopFd_ = -1;
    std::string devicePath_;
    Responder responder_;
    Splitter splitter_;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};

}  // namespace vantor::test
