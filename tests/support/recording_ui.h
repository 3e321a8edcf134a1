#pragma once
// A UserInterface for tests: keeps every message, progress line, wait-cursor change,
// task end, request to the main window and file handed to the desktop of the code it is
// handed to, and answers questions with scripted answers (else the defaults).

#include <deque>
#include <functional>
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
    void taskDone(const std::string& text) override { taskDoneTexts.push_back(text); }
    void requestApplyNetworkSettings() override { ++applyRequests; }
    void requestSaveAfterRead() override { ++saveRequests; }
    // Keeps the path instead of starting a program; fails as `desktopOpens` says.
    void openWithDesktop(const std::string& path, std::function<void()> failed) override {
        desktopOpened.push_back(path);
        if (!desktopOpens) failed();
    }

    // The texts of the messages, in order.
    std::vector<std::string> texts() const;

    std::vector<RecordedMessage> messages;
    std::vector<std::string> progressLines;
    std::vector<bool> waitCursorChanges;
    std::vector<std::string> taskDoneTexts;
    int applyRequests = 0;
    int saveRequests = 0;
    std::vector<std::string> desktopOpened;
    bool desktopOpens = true;
    std::deque<MessageAnswer> answers;  // taken in order by questions; then defaults
};

}  // namespace vantor::test
