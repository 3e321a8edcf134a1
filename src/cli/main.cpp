// vantorctl: the configurator's engine for scripts and service laptops.

#include <cstdio>
#include <cstring>
#include <string>

#include "cli/command.h"
#include "cli/end_on_signal.h"
#include "cli/stderr_user_interface.h"
#include "cmdline/last_resort.h"
#include "platform/app_state.h"

namespace {

void printProgramHelp() {
    std::printf("usage: vantorctl COMMAND [ARGS...]\n\nCommands:\n");
    for (const auto& command : vantor::cli::commands()) std::printf("  %-10s %s\n", command.name, command.summary);
    std::printf("\n'vantorctl COMMAND --help' describes one command.\n");
}

int run(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        printProgramHelp();
        return argc < 2 ? 2 : 0;
    }
    vantor::cli::StderrUserInterface userInterface;
    vantor::installUserInterface(&userInterface);
    // The level the configurator starts with: the module commands that need the highest
    // one (default settings, attribute writing) are allowed.
    vantor::app().setAccessLevel(2);

    const std::string name = argv[1];
    for (const auto& command : vantor::cli::commands()) {
        if (name != command.name) continue;
        const vantor::cli::Arguments args(argv + 2, argv + argc);
        if (vantor::cli::printedHelp(command, args)) return 0;
        return vantor::cli::EndOnSignal::status(command.run(args));
    }
    std::fprintf(stderr, "vantorctl: unknown command '%s' (see vantorctl --help)\n", name.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) { return vantor::cmdline::runReportingEscapes("vantorctl", run, argc, argv); }
