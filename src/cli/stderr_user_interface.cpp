#include "cli/stderr_user_interface.h"

#include <cstdio>

namespace vantor::cli {

std::string indentedLines(const std::string& text) {
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' || text[i] == '\r')
            lines += "\n  ";
        else
            lines += text[i];
    }
    return lines;
}

MessageAnswer StderrUserInterface::message(const std::string& text, const std::string& caption, MessageIcon icon,
                                           MessageButtons buttons) {
    ++messages_;
    std::fprintf(stderr, "%s\n", indentedLines(text).c_str());
    return SilentUserInterface::message(text, caption, icon, buttons);
}

}  // namespace vantor::cli
