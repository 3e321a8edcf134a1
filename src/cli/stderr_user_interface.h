#pragma once
// vantorctl's person: messages go to stderr, each line after a message's first indented
// by two blanks so that one message reads as one; questions get their default answer.

#include "platform/user_interface.h"

namespace vantor::cli {

class StderrUserInterface : public SilentUserInterface {
public:
    MessageAnswer message(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageButtons buttons) override;
    // How many messages were shown: commands turn any message into a failure status.
    int messageCount() const { return messages_; }

private:
    int messages_ = 0;
};

// A message's text with its line breaks kept and its later lines indented.
std::string indentedLines(const std::string& text);

}  // namespace vantor::cli
