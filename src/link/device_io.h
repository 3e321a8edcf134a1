#pragma once
// The device link at frame level: builds a native request frame, exchanges it through
// the serial port with the retry rules, validates the reply and turns failures and
// device error replies into the texts the person sees. Also sends short messages in
// the foreign protocols while connection recovery runs. Every exchange holds the frame
// lock, retries included, so frames of different threads never interleave.

#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/frame_tap.h"
#include "link/line_transport.h"
#include "link/sio.h"
#include "protocol/foreign.h"
#include "protocol/reply_match.h"

namespace vantor {

inline constexpr int kDefaultTimeoutAttempts = 2;

class DeviceIO {
public:
    DeviceIO() = default;
    virtual ~DeviceIO() = default;
    DeviceIO(const DeviceIO&) = delete;
    DeviceIO& operator=(const DeviceIO&) = delete;

    Sio& sio() { return sio_; }
    // The line the exchanges use: the own serial port unless another transport (an
    // in-process module) is put in its place; nullptr goes back to the port.
    void setTransport(LineTransport* transport) { transport_ = transport ? transport : &sio_; }
    std::recursive_mutex& frameLock() { return frameLock_; }
    // The tap that sees every frame from now on, or nullptr for none. Returns once an
    // exchange in flight has finished, so the tap it replaces may then be destroyed.
    void setFrameTap(FrameTap* tap);

    // Link settings, taken once per exchange: the link reconfigures them under the link
    // lock while dialogs exchange under the frame lock alone.
    std::atomic<int> baseAddress = 0;    // "Addr"
    std::atomic<int> addressLength = 8;  // "A.Len": 11, or anything else for 8-bit addressing

    // The protocol the link speaks: native, except while connection recovery wakes a
    // module up in one of the foreign protocols. Read at every exchange.
    ProtocolMode protocolMode() const { return protocolMode_; }
    void setProtocolMode(ProtocolMode mode);

    // Attempts of an exchange the module leaves unanswered: two, or one where silence
    // is the usual answer (asking address after address for modules).
    std::atomic<int> timeoutAttempts = kDefaultTimeoutAttempts;

    // One native exchange at base address + offset (offset -1: address 255). True with
    // the reply's data in `outData`; false with the reason in `errorText`. The reply's
    // data is also handed over when it is a device error or carries another hash.
    // The reply must come from the address asked and end with the last `echoedBytes`
    // of `data` (the data index it names); a reply to an earlier request is set aside
    // and the exchange waits on for its own within the same response time-out.
    bool ExchangeFrame(int requestBit, std::uint16_t hash, std::span<const std::uint8_t> data,
                       std::vector<std::uint8_t>& outData, std::string& errorText, int addressOffset = 0,
                       std::size_t echoedBytes = 0);

    // One exchange in the link's foreign protocol mode: the base address followed by
    // `bytes`; on kForeignOk `outData` holds the reply after its address. Returns a
    // ForeignStatus (kForeignRefused for addresses above 8 bits or in native mode).
    int ExchangeForeign(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& outData);

private:
    // Names the vanished port in `errorText`; false.
    bool portDisconnected(std::string& errorText) const;
    // The transport of one exchange: seen through the tap, held in `tapped`, while one
    // is installed.
    LineTransport& exchangeLine(std::optional<TappedLine>& tapped, bool native, int frameAddressLength);
    // A well-formed reply that does not answer `current` but one of the requests sent
    // before it: a module or converter that answered late.
    bool isLateReply(const std::string& reply, const RequestSignature& current) const;
    void rememberRequest(const RequestSignature& request);

    Sio sio_;
    LineTransport* transport_ = &sio_;
    std::recursive_mutex frameLock_;
    std::atomic<FrameTap*> frameTap_{nullptr};
    std::atomic<ProtocolMode> protocolMode_ = ProtocolMode::Native;
    // The last requests sent, whose late replies may still come (under the frame lock).
    static constexpr std::size_t kRememberedRequests = 16;
    std::deque<RequestSignature> earlierRequests_;
};

// The text of an "n.Err" reply's first data byte (a signed code); sets the result flags
// to 16. With no data the text is left as it is.
void DeviceErrorText(std::span<const std::uint8_t> data, std::string& errorText);
// The text of a module's error code.
std::string DeviceErrorMessage(int code);

// The text of an ExchangeForeign status; false (and an empty text) for statuses that
// have none, success included.
bool ForeignStatusText(int status, std::string& errorText);

}  // namespace vantor
