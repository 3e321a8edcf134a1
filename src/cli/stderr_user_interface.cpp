#include "cli/stderr_user_interface.h"

#include <cstdio>

namespace vantor::cli {

std::string oneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r')
            line += "\\n";
        else
            line += text[i];
    }
    return line;
}

MessageAnswer StderrUserInterface::message(const std::string& text, const std::string& caption, MessageIcon icon,
                                           MessageButtons buttons) {
    ++messages_;
    std::fprintf(stderr, "%s\n", oneLine(text).c_str());
    return SilentUserInterface::message(text, caption, icon, buttons);
}

}  // namespace vantor::cli
