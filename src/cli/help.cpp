#include <cstdio>

#include "cli/command.h"

namespace vantor::cli {

bool printedHelp(const Command& command, const Arguments& args) {
    if (!cmdline::asksForHelp(args)) return false;
    std::fputs(command.usage, stdout);
    return true;
}

int usageError(const char* command, const std::string& reason, const char* usage) {
    std::fprintf(stderr, "vantorctl %s: %s\n%s", command, reason.c_str(), usage);
    return 2;
}

}  // namespace vantor::cli
