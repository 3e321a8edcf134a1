#include "support/recording_ui.h"

namespace vantor::test {

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
