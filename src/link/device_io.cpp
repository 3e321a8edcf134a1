#include "link/device_io.h"

#include <algorithm>

#include "platform/app_state.h"
#include "protocol/device_errors.h"
#include "protocol/foreign.h"
#include "protocol/frame.h"
#include "text/texts.h"

namespace vantor {

namespace {

// Attempts per failure kind before the exchange gives up (time-outs: the link's setting).
constexpr int kLineErrorAttempts = 17;
constexpr int kLostHeaderAttempts = 11;
// A read whose reply fails its check is asked once more; a write never is, as the
// module may have acted on it (a job must not start twice).
constexpr int kBadReplyReadAttempts = 2;

// Result flag values the exchange puts in place of the whole word.
constexpr std::uint32_t kFlagsPortNotOpened = 1u << kResultPortNotOpened;
constexpr std::uint32_t kFlagsNoAnswer = 1u << kResultNoAnswer;
constexpr std::uint32_t kFlagsTransmission = 1u << kResultTransmission;
constexpr std::uint32_t kFlagsDeviceError = 1u << kResultDeviceError;

bool startsWithHeader(const std::string& reply) { return reply.size() >= 2 && reply[0] == kFrameStart; }

// How the attempts of one exchange ended.
enum class LineOutcome { Reply, Disconnected, NoAnswer, LineErrors, NoHeader };

// What one exchange retries and how often.
struct RetryRules {
    int timeoutAttempts = kDefaultTimeoutAttempts;
    bool needsHeader = true;   // a reply without a frame header is a failure to retry
    int badReplyAttempts = 1;  // attempts while the reply fails its check
};

// Runs `attempt` (one request, its reply in `reply`, a TransactStatus) again while a
// failure kind has attempts left. `afterAttempt` sees every reply.
template <typename Attempt, typename AfterAttempt>
LineOutcome transactWithRetries(Attempt attempt, const RetryRules& rules, std::string& reply,
                                AfterAttempt afterAttempt) {
    int timeouts = 0, lineErrors = 0, lostHeaders = 0, badReplies = 0;
    for (;;) {
        const int status = attempt(reply);
        if (status == kTransactDisconnected) return LineOutcome::Disconnected;  // no attempt can help
        afterAttempt(reply);
        if (status == kTransactTimeout) {
            if (++timeouts < rules.timeoutAttempts) continue;
            return LineOutcome::NoAnswer;
        }
        if (status == kTransactLineError) {
            if (++lineErrors < kLineErrorAttempts) continue;
            return LineOutcome::LineErrors;
        }
        if (rules.needsHeader && !startsWithHeader(reply)) {
            if (++lostHeaders < kLostHeaderAttempts) continue;
            return LineOutcome::NoHeader;
        }
        ReceivedFrame frame;
        if (rules.needsHeader && ParseFrame(reply, frame) != FrameCheck::Ok && ++badReplies < rules.badReplyAttempts)
            continue;
        return LineOutcome::Reply;
    }
}

}  // namespace

bool DeviceIO::portDisconnected(std::string& errorText) const {
    // The port must be opened anew before anything can reach the module.
    errorText = FormatText(Text("IDS_PORT_DISCONNECTED"), sio_.portName);
    app().replaceResultFlags(kFlagsPortNotOpened);
    return false;
}

bool DeviceIO::ExchangeFrame(int requestBit, std::uint16_t hash, std::span<const std::uint8_t> data,
                             std::vector<std::uint8_t>& outData, std::string& errorText, int addressOffset,
                             std::size_t echoedBytes) {
    FrameFields fields;
    fields.address = wireAddress(baseAddress, addressOffset);
    fields.addressLength = addressLength;
    fields.requestBit = requestBit != 0;
    fields.hash = hash;
    fields.data.assign(data.begin(), data.end());
    const auto request = BuildFrame(fields);
    if (!request) {  // more data than the length field can carry
        errorText = Text("IDS_STRING867");
        return false;
    }

    std::lock_guard lock(frameLock_);
    std::optional<TappedLine> tapped;
    LineTransport& line = exchangeLine(tapped, true, fields.addressLength);
    std::string reply;
    if (hash == kHashApply) {  // the module restarts its line: no reply to trust
        if (line.Transact(*request, reply) == kTransactDisconnected) return portDisconnected(errorText);
        outData.clear();
        return true;
    }
    const RequestSignature signature = RequestSignature::of(fields, echoedBytes);
    const auto attempt = [&](std::string& received) {
        int status = line.Transact(*request, received);
        while (status == kTransactDone && isLateReply(received, signature)) status = line.Listen(received);
        return status;
    };
    const RetryRules rules{timeoutAttempts, true, fields.requestBit ? kBadReplyReadAttempts : 1};
    const auto outcome = transactWithRetries(attempt, rules, reply, [](const std::string& received) {
        if (!received.empty() && received[0] == kFrameStart)
            app().replaceResultFlagsIf(kFlagsNoAnswer, kFlagsTransmission);
    });
    rememberRequest(signature);
    switch (outcome) {
    case LineOutcome::Disconnected: return portDisconnected(errorText);
    case LineOutcome::NoAnswer:
        errorText = Text("IDS_NOCARRIER");
        app().replaceResultFlagsUnless(kFlagsTransmission, kFlagsNoAnswer);
        return false;
    case LineOutcome::LineErrors:
        errorText = Text("IDS_STRING453");
        app().replaceResultFlags(kFlagsTransmission);
        return false;
    case LineOutcome::NoHeader:
        errorText = Text("IDS_STRING454");
        app().replaceResultFlags(kFlagsTransmission);
        return false;
    case LineOutcome::Reply: break;
    }

    ReceivedFrame frame;
    if (ParseFrame(reply, frame) != FrameCheck::Ok) {
        // Too short, a length field that does not match, or a wrong checksum: all are a
        // reply that fails its check.
        errorText = Text("IDS_STRING456");
        return false;
    }
    outData = frame.data;
    if (frame.hash == kHashDeviceError) {
        DeviceErrorText(frame.data, errorText);
        return false;
    }
    if (AnswersRequest(frame, signature)) return true;
    // Under the request's hash, but from another address or for another index: never
    // taken as this request's value.
    errorText = Text(frame.hash == hash ? "IDS_REPLY_OTHER_REQUEST" : "IDS_STRING457");
    return false;
}

bool DeviceIO::isLateReply(const std::string& reply, const RequestSignature& current) const {
    ReceivedFrame frame;
    if (ParseFrame(reply, frame) != FrameCheck::Ok || frame.hash == kHashDeviceError) return false;
    if (AnswersRequest(frame, current)) return false;
    return std::any_of(earlierRequests_.begin(), earlierRequests_.end(),
                       [&](const RequestSignature& earlier) { return AnswersRequest(frame, earlier); });
}

void DeviceIO::rememberRequest(const RequestSignature& request) {
    if (earlierRequests_.size() == kRememberedRequests) earlierRequests_.pop_front();
    earlierRequests_.push_back(request);
}

void DeviceIO::setFrameTap(FrameTap* tap) {
    frameTap_ = tap;
    std::lock_guard waitForExchange(frameLock_);
}

LineTransport& DeviceIO::exchangeLine(std::optional<TappedLine>& tapped, bool native, int frameAddressLength) {
    FrameTap* const tap = frameTap_.load(std::memory_order_acquire);
    if (!tap) return *transport_;
    return tapped.emplace(*transport_, *tap, native, frameAddressLength);
}

void DeviceIO::setProtocolMode(ProtocolMode mode) {
    protocolMode_ = mode;
    // Modbus RTU has no end character: the port takes what has arrived at the first one.
    sio_.replyEndsAtFirstCharacter = mode == ProtocolMode::ModbusRtu;
}

int DeviceIO::ExchangeForeign(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& outData) {
    const ProtocolMode mode = protocolMode_;
    if (addressLength > 8 || mode == ProtocolMode::Native) return kForeignRefused;
    std::vector<std::uint8_t> message{static_cast<std::uint8_t>(baseAddress.load())};
    message.insert(message.end(), bytes.begin(), bytes.end());
    const std::string request = WrapForeign(mode, message);

    std::lock_guard lock(frameLock_);
    std::optional<TappedLine> tapped;
    std::string reply;
    LineTransport& line = exchangeLine(tapped, false, 8);
    const auto attempt = [&](std::string& received) { return line.Transact(request, received); };
    const RetryRules rules{kDefaultTimeoutAttempts, false, 1};
    switch (transactWithRetries(attempt, rules, reply, [](const std::string&) {})) {
    case LineOutcome::Disconnected: return kForeignConnection;
    case LineOutcome::NoAnswer: return kForeignTimeout;
    case LineOutcome::LineErrors: return kForeignConnection;
    case LineOutcome::NoHeader:
    case LineOutcome::Reply: break;
    }
    std::vector<std::uint8_t> received;
    if (const int status = UnwrapForeign(mode, reply, received); status != kForeignOk) return status;
    if (received.front() != message.front()) return kForeignAddress;
    outData.assign(received.begin() + 1, received.end());
    return kForeignOk;
}

void DeviceErrorText(std::span<const std::uint8_t> data, std::string& errorText) {
    if (data.empty()) return;
    app().replaceResultFlags(kFlagsDeviceError);
    // The module sends its error code as a signed byte.
    errorText = DeviceErrorMessage(data.front() < 0x80 ? data.front() : data.front() - 0x100);
}

std::string DeviceErrorMessage(int code) {
    const DeviceErrorKey error = deviceErrorKey(code);
    if (!error.known) return FormatText(Text(error.key), code);
    std::string text = Text(error.key);
    if (error.levelDigit) {
        // The table's text ends in "level "; its lookup trims that blank away.
        if (!text.empty() && text.back() != ' ') text += ' ';
        text += static_cast<char>('0' + error.levelDigit);
    }
    return text;
}

bool ForeignStatusText(int status, std::string& errorText) {
    const char* key = nullptr;
    switch (status) {
    case kForeignTimeout: key = "IDS_NOCARRIER"; break;
    case kForeignConnection: key = "IDS_STRING224"; break;
    case kForeignChecksum: key = "IDS_STRING222"; break;
    case kForeignAddress: key = "IDS_STRING221"; break;
    case kForeignIncorrect: key = "IDS_STRING223"; break;
    default: errorText.clear(); return false;
    }
    errorText = Text(key);
    return true;
}

}  // namespace vantor
