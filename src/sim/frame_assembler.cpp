#include "sim/frame_assembler.h"

namespace vantor::sim {

std::vector<std::string> FrameAssembler::feed(const std::string& bytes) {
    std::vector<std::string> frames;
    for (char c : bytes) {
        if (c == '#') {
            pending_.assign(1, c);
            inFrame_ = true;
            continue;
        }
        if (!inFrame_) continue;
        pending_.push_back(c);
        if (c == '\r') {
            frames.push_back(pending_);
            pending_.clear();
            inFrame_ = false;
        } else if (pending_.size() >= kMaxFrameCharacters) {
            pending_.clear();
            inFrame_ = false;
        }
    }
    return frames;
}

}  // namespace vantor::sim
