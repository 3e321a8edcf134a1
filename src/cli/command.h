#pragma once
// vantorctl commands: each is a function over its own arguments (the words after the
// command name) returning the process exit status.

#include <string>
#include <vector>

#include "cmdline/scanner.h"

namespace vantor::cli {

using Arguments = cmdline::Arguments;

struct Command {
    const char* name;
    const char* summary;  // one line for the program's --help
    const char* usage;    // the command's --help text
    int (*run)(const Arguments& args);
};

// Every command, in the order --help lists them.
const std::vector<Command>& commands();

// True when the arguments ask for the command's help (then it has been printed).
bool printedHelp(const Command& command, const Arguments& args);

// Prints "vantorctl COMMAND: REASON" and the usage to stderr; the bad-usage status 2.
int usageError(const char* command, const std::string& reason, const char* usage);

}  // namespace vantor::cli
