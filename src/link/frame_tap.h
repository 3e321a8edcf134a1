#pragma once
// A look at every frame that crosses the line: the link hands each request it sends and
// each reply (or its absence) it takes to a tap, if one is installed. The link calls
// the tap while it holds the frame lock, on whichever thread exchanges, so a tap only
// copies the record away and never blocks.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/line_transport.h"

namespace vantor {

enum class FrameDirection { Sent, Received };

// How a frame ended. A sent frame is Ok; a received one tells what became of the reply.
enum class FrameOutcome {
    Ok,
    Timeout,        // no reply within the response time-out
    LineError,      // a break or line error instead of a reply
    Disconnected,   // the port vanished
    Failed,         // the port could not be used or the write failed
    NoHeader,       // characters that do not start with the frame header
    ChecksumError,  // a frame whose length or checksum does not hold
    DeviceError,    // an "n.Err" reply; the code is its first data byte
    OtherHash,      // a reply under neither the request's hash nor "n.Err"
};

// The fields of a native frame that parsed.
struct TappedFrame {
    int address = 0;
    bool requestBit = false;
    std::uint16_t hash = 0;
    std::vector<std::uint8_t> data;
};

struct FrameRecord {
    std::chrono::steady_clock::time_point time;
    FrameDirection direction = FrameDirection::Sent;
    std::string characters;            // as on the line; empty when nothing came
    std::optional<TappedFrame> frame;  // native frames that parsed
    FrameOutcome outcome = FrameOutcome::Ok;
    int deviceErrorCode = 0;  // signed, for DeviceError
};

class FrameTap {
public:
    virtual ~FrameTap() = default;
    virtual void onFrame(const FrameRecord& record) = 0;
};

// The line of one exchange seen through a tap: every Transact becomes a record of the
// request and one of the reply, every Listen a record of the reply. Made only while a
// tap is installed.
class TappedLine : public LineTransport {
public:
    // `native`: the frames are of the module protocol and parsed with `addressLength`.
    TappedLine(LineTransport& line, FrameTap& tap, bool native, int addressLength)
        : line_(line), tap_(tap), native_(native), addressLength_(addressLength) {}
    int Transact(std::string_view request, std::string& reply) override;
    int Listen(std::string& reply) override;

private:
    FrameRecord record(FrameDirection direction, std::string_view characters) const;
    void tapReply(int status, const std::string& reply);

    LineTransport& line_;
    FrameTap& tap_;
    bool native_;
    int addressLength_;
    std::optional<TappedFrame> lastSent_;
};

}  // namespace vantor
