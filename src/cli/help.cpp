#include <algorithm>
#include <cstdio>

#include "cli/command.h"

namespace vantor::cli {

bool printedHelp(const Command& command, const Arguments& args) {
    if (std::find_if(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; }) ==
        args.end())
        return false;
    std::fputs(command.usage, stdout);
    return true;
}

}  // namespace vantor::cli
