#pragma once
// Which request a reply answers. A reply carries the address of the module that sends
// it, the name hash of the request and, at the end of its data, the bytes that name
// what was asked (the data index of an indexed parameter, the index and hash of an
// attribute request). A module or converter that answers later than the link waits
// sends its reply into the next exchange; these bytes tell it apart.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/frame.h"

namespace vantor {

struct RequestSignature {
    int address = 0;
    int addressLength = 8;
    std::uint16_t hash = 0;
    std::vector<std::uint8_t> echo;  // the request's last data bytes, which the reply ends with

    // The signature of a request whose last `echoedBytes` data bytes come back in the
    // reply (all of them when there are fewer).
    static RequestSignature of(const FrameFields& request, std::size_t echoedBytes);
};

// True when `reply` can be the answer to `request`: its hash, its sender (any for the
// broadcast address 255, which no module has as its own) and, when it carries more
// data than the echo, its trailing data.
bool AnswersRequest(const ReceivedFrame& reply, const RequestSignature& request);

}  // namespace vantor
