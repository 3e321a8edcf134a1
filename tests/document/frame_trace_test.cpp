// What the frame trace makes of tapped frames, with the names of a loaded KQ-16.

#include <gtest/gtest.h>

#include "document/frame_trace.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "support/document_bench.h"

namespace vantor {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct TraceBench : test::DocumentBench {
    TraceBench() {
        if (!doc.OnNewDocument()) throw std::runtime_error("no document");
    }
    FrameTrace trace{doc.description(), doc.device().codecContext};
};

FrameRecord parsed(FrameDirection direction, bool requestBit, std::uint16_t hash, Bytes data,
                   FrameOutcome outcome = FrameOutcome::Ok) {
    FrameRecord record;
    record.time = std::chrono::steady_clock::now();
    record.direction = direction;
    record.frame = TappedFrame{16, requestBit, hash, std::move(data)};
    record.outcome = outcome;
    return record;
}

// Everything but the time stamp.
std::string described(const FrameTrace& trace, const FrameRecord& record) {
    const FrameTraceFields f = trace.fields(record);
    return f.direction + "|" + f.address + "|" + f.name + "|" + f.kind + "|" + f.data + "|" + f.value + "|" + f.outcome;
}

TEST(FrameTrace, NamesValuesAndOutcomes) {
    TraceBench bench;
    const auto sent = FrameDirection::Sent;
    const auto received = FrameDirection::Received;
    const std::uint16_t vMin = hash_name("v.min");
    FrameRecord deviceError = parsed(received, false, kHashDeviceError, {0x41}, FrameOutcome::DeviceError);
    deviceError.deviceErrorCode = 0x41;
    const struct {
        FrameRecord record;
        std::string expected;
    } cases[] = {
        {parsed(sent, true, 0x9F62, {}), "->|16|Addr|read|||"},
        {parsed(sent, false, 0x9F62, {0x00, 0x11}), "->|16|Addr|write|00 11|17|"},
        {parsed(received, false, 0x9F62, {0x00, 0x11}), "<-|16|Addr|reply|00 11|17|ok"},
        // An indexed parameter: the data index is the last two bytes.
        {parsed(sent, true, vMin, {0x00, 0x03}), "->|16|v.min:3|read|00 03||"},
        {parsed(received, false, vMin, {0x44, 0x7A, 0x00, 0x00, 0x00, 0x03}),
         "<-|16|v.min:3|reply|44 7A 00 00 00 03|1000.000|ok"},
        {parsed(sent, true, 0x1234, {}), "->|16|0x1234|read|||"},
        {deviceError, "<-|16|n.Err|reply|41||Other task is performed (segment COMMON is busy)"},
        {parsed(received, false, 0x1234, {0x01}, FrameOutcome::OtherHash),
         "<-|16|0x1234|reply|01||Received function code differs from transmitted function code and from n.Err."},
    };
    for (const auto& c : cases) EXPECT_EQ(described(bench.trace, c.record), c.expected);
}

TEST(FrameTrace, UnparsedCharactersAreShownEscaped) {
    TraceBench bench;
    FrameRecord record;
    record.direction = FrameDirection::Received;
    record.characters = "#HG\x01\\\r";
    record.outcome = FrameOutcome::ChecksumError;
    EXPECT_EQ(described(bench.trace, record), "<-||||#HG\\x01\\x5C\\r||Response sum check error");

    record.time = std::chrono::steady_clock::now() - std::chrono::hours(1);  // before the trace began
    record.characters.clear();
    record.outcome = FrameOutcome::Timeout;
    const std::string line = bench.trace.line(record);
    EXPECT_EQ(line.substr(line.find(" ms")), " ms  <-                           Time-out error");
}

}  // namespace
}  // namespace vantor
