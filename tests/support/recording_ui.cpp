#include "support/recording_ui.h"

namespace vantor::test {

// One recording interface may live inside another's lifetime: the inner one gives the
// outer one back, so no message is lost to a silent default.
RecordingUserInterface::RecordingUserInterface() : previous_(&ui()) { installUserInterface(this); }

RecordingUserInterface::~RecordingUserInterface() { installUserInterface(previous_); }

MessageAnswer RecordingUserInterface::message(const std::string& text, const std::string& caption, MessageIcon icon,
                                              MessageButtons buttons) {
    messages.push_back({text, caption, icon, buttons});
    if (!answers.empty()) {
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return SilentUserInterface::message(text, caption, icon, buttons);
}

std::vector<std::string> RecordingUserInterface::texts() const {
    std::vector<std::string> result;
    for (const auto& m : messages) result.push_back(m.text);
    return result;
}

}  // namespace vantor::test
