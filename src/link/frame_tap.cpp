#include "link/frame_tap.h"

#include "protocol/frame.h"

namespace vantor {

namespace {

FrameOutcome outcomeOfStatus(int status) {
    switch (status) {
    case kTransactTimeout: return FrameOutcome::Timeout;
    case kTransactLineError: return FrameOutcome::LineError;
    case kTransactDisconnected: return FrameOutcome::Disconnected;
    case kTransactFailed: return FrameOutcome::Failed;
    default: return FrameOutcome::Ok;
    }
}

}  // namespace

FrameRecord TappedLine::record(FrameDirection direction, std::string_view characters) const {
    FrameRecord record;
    record.time = std::chrono::steady_clock::now();
    record.direction = direction;
    record.characters = characters;
    if (!native_) return record;
    ReceivedFrame parsed;
    switch (ParseFrame(characters, parsed)) {
    case FrameCheck::Ok: break;
    case FrameCheck::NoHeader: record.outcome = FrameOutcome::NoHeader; return record;
    case FrameCheck::BadLength:
    case FrameCheck::BadChecksum: record.outcome = FrameOutcome::ChecksumError; return record;
    }
    record.frame = TappedFrame{parsed.address(addressLength_), parsed.requestBit(), parsed.hash, parsed.data};
    if (parsed.hash == kHashDeviceError && !parsed.data.empty()) {
        record.outcome = FrameOutcome::DeviceError;
        const int code = parsed.data.front();
        record.deviceErrorCode = code < 0x80 ? code : code - 0x100;
    }
    return record;
}

int TappedLine::Transact(std::string_view request, std::string& reply) {
    const FrameRecord sent = record(FrameDirection::Sent, request);
    lastSent_ = sent.frame;
    tap_.onFrame(sent);
    const int status = line_.Transact(request, reply);
    tapReply(status, reply);
    return status;
}

int TappedLine::Listen(std::string& reply) {
    const int status = line_.Listen(reply);
    tapReply(status, reply);
    return status;
}

void TappedLine::tapReply(int status, const std::string& reply) {
    FrameRecord received = record(FrameDirection::Received, status == kTransactDone ? std::string_view(reply) : "");
    if (status != kTransactDone)
        received.outcome = outcomeOfStatus(status);
    else if (received.outcome == FrameOutcome::Ok && received.frame && lastSent_ &&
             received.frame->hash != lastSent_->hash)
        received.outcome = FrameOutcome::OtherHash;
    tap_.onFrame(received);
}

}  // namespace vantor
