#include "sim/in_process_line.h"

namespace vantor::sim {

namespace {

// The parity a port's parity code puts on the line; mark and space none a module takes.
std::optional<Parity> portParity(std::uint32_t code) {
    switch (code) {
    case 0:
    case 3: return Parity::None;
    case 1: return Parity::Even;
    case 4: return Parity::Odd;
    default: return std::nullopt;
    }
}

}  // namespace

int InProcessLine::Open() {
    open_ = openResult == 0;
    return openResult;
}

int InProcessLine::Close() {
    const bool wasOpen = open_;
    open_ = false;
    return wasOpen ? 0 : -2;
}

bool InProcessLine::hears() const {
    if (adapterNeeded && port_.adapterMode != *adapterNeeded) return false;
    const LineSettings& line = module_.module().settings().line;
    return static_cast<int>(port_.baudRate) == line.baud && portParity(port_.parityCode) == line.parity &&
           static_cast<int>(port_.dataBits) == line.dataBits && static_cast<int>(port_.stopBits) == line.stopBits;
}

int InProcessLine::Transact(std::string_view request, std::string& reply) {
    reply.clear();
    if (!open_) return kTransactFailed;
    if (!hears()) return kTransactTimeout;
    for (const LineExchange& exchange : module_.receive(std::string(request)))
        if (exchange.reply) {
            reply = exchange.reply->substr(0, kReplyCapacity);
            return kTransactDone;
        }
    return kTransactTimeout;
}

}  // namespace vantor::sim
