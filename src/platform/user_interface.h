#pragma once
// The one way the core talks to the person in front of it. The desktop program
// implements it with Qt, vantorctl with stderr and default answers, tests with a
// recorder that scripts the answers and keeps every message.

#include <functional>
#include <string>

namespace vantor {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// The option switches of the main menu that the core reads where it needs them.
// SendAttributes on: the access attributes travel with every parameter exchange
// ("M.s.t.r." frames); off, as after start-up, they are neither read nor written.
enum class OptionSwitch { ShowIndexes, ReadWhenOpen, InstantRecording, SendAttributes };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box. An empty caption means the application title.
    virtual MessageAnswer message(const std::string& text, const std::string& caption, MessageIcon icon,
                                  MessageButtons buttons) = 0;
    virtual void waitCursor(bool on) = 0;
    // One line of the running task's log, with the progress position reached.
    virtual void progressLog(const std::string& line, int position) = 0;
    virtual void taskDone(const std::string& text) = 0;
    // Requests to the main window.
    virtual void requestApplyNetworkSettings() = 0;
    virtual void requestSaveAfterRead() = 0;
    virtual bool option(OptionSwitch which) const = 0;
    // Clears or sets a switch, as the link does with "Read when open" after five time-outs.
    virtual void setOption(OptionSwitch which, bool on) = 0;
    // Shows a file with the desktop's program for its type (the user guide in the
    // browser); `failed` is called, at once or later from the event loop, when no
    // program could show it.
    virtual void openWithDesktop(const std::string& path, std::function<void()> failed);
};

// Answers every question with its default, says nothing: the state before any front
// end has installed its own.
class SilentUserInterface : public UserInterface {
public:
    MessageAnswer message(const std::string&, const std::string&, MessageIcon, MessageButtons buttons) override {
        return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel ? MessageAnswer::Yes
                                                                                          : MessageAnswer::Ok;
    }
    void waitCursor(bool) override {}
    void progressLog(const std::string&, int) override {}
    void taskDone(const std::string&) override {}
    void requestApplyNetworkSettings() override {}
    void requestSaveAfterRead() override {}
    bool option(OptionSwitch) const override { return false; }
    void setOption(OptionSwitch, bool) override {}
};

// The interface in force; never null. The caller keeps `ui` alive while installed.
UserInterface& ui();
void installUserInterface(UserInterface* ui);

}  // namespace vantor
