#include "protocol/reply_match.h"

#include <algorithm>

namespace vantor {

namespace {
constexpr int kBroadcastAddress = 255;
}

RequestSignature RequestSignature::of(const FrameFields& request, std::size_t echoedBytes) {
    const std::size_t count = std::min(echoedBytes, request.data.size());
    return {request.address, request.addressLength, request.hash,
            std::vector<std::uint8_t>(request.data.end() - static_cast<std::ptrdiff_t>(count), request.data.end())};
}

bool AnswersRequest(const ReceivedFrame& reply, const RequestSignature& request) {
    if (reply.hash != request.hash) return false;
    if (request.address != kBroadcastAddress && reply.address(request.addressLength) != request.address) return false;
    // A reply too short to carry a value besides them is left to the reader's own
    // length check, which has a text of its own for it.
    if (reply.data.size() <= request.echo.size()) return true;
    return std::equal(request.echo.rbegin(), request.echo.rend(), reply.data.rbegin());
}

}  // namespace vantor
