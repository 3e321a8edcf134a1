#pragma once
// vantorctl commands: each is a function over its own arguments (the words after the
// command name) returning the process exit status.

#include <string>
#include <vector>

namespace vantor::cli {

using Arguments = std::vector<std::string>;

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

}  // namespace vantor::cli
