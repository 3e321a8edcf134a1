#pragma once
// vantorctl's person: messages go to stderr, one line each (a line break inside a
// message written as the two characters \n); questions get their default answer.

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

// One message as one stderr line.
std::string oneLine(const std::string& text);

}  // namespace vantor::cli
