// Feeds arbitrary line characters to the reply check: it must never read past what
// arrived, whatever the length field claims.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "protocol/frame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantor::ReceivedFrame frame;
    vantor::ParseFrame(std::string_view(reinterpret_cast<const char*>(data), size), frame);
    return 0;
}
