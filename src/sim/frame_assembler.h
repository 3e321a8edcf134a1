#pragma once
// Cuts the module's input byte stream into native frames: a frame starts at "#" and
// ends at the carriage return. Bytes outside a frame are line noise and are dropped;
// a "#" inside a frame starts it again; an overlong frame is dropped whole.

#include <string>
#include <vector>

#include "protocol/frame.h"

namespace vantor::sim {

class FrameAssembler {
public:
    // Feeds received bytes; returns the frames completed by them, each from "#" up to
    // and including the carriage return.
    std::vector<std::string> feed(const std::string& bytes);
    // Whether a frame has started and not yet ended.
    bool inFrame() const { return inFrame_; }

    // No request of the protocol is longer: '#', two characters per byte of the longest
    // frame, the carriage return. Anything longer is noise.
    static constexpr std::size_t kMaxFrameCharacters = 1 + 2 * (kMinFrameBytes + kMaxFrameData) + 1;

private:
    std::string pending_;
    bool inFrame_ = false;
};

}  // namespace vantor::sim
