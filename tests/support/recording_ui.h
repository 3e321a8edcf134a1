#pragma once
// A UserInterface for tests: keeps every message, progress line and wait-cursor change
// of the code it is handed to, and answers questions with scripted answers (else the
// defaults).

#include <deque>
#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace vantor::test {

struct RecordedMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class RecordingUserInterface : public SilentUserInterface {
public:
    MessageAnswer message(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageButtons buttons) override;
    void waitCursor(bool on) override { waitCursorChanges.push_back(on); }
    void progressLog(const std::string& line, int) override { progressLines.push_back(line); }

    // The texts of the messages, in order.
    std::vector<std::string> texts() const;

    std::vector<RecordedMessage> messages;
    std::vector<std::string> progressLines;
    std::vector<bool> waitCursorChanges;
    std::deque<MessageAnswer> answers;  // taken in order by questions; then defaults
};

}  // namespace vantor::test
