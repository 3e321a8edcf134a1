// vantorctl init, apply and defaults: the module service commands of the document.

#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/module_session.h"

namespace vantor::cli {

extern const char kInitUsage[] =
    "usage: vantorctl init [LINK OPTIONS] --yes\n"
    "Restarts the module (INIT): it takes new network settings and may then answer at\n"
    "others. Refused without --yes.\n";
extern const char kApplyUsage[] =
    "usage: vantorctl apply [LINK OPTIONS] [--broadcast]\n"
    "Sends APLY: the module takes the network settings written to it. --broadcast sends\n"
    "it to address 255, which every module on the line takes and none answers.\n";
extern const char kDefaultsUsage[] =
    "usage: vantorctl defaults [LINK OPTIONS] --yes\n"
    "Applies the default settings of the model (the module's own command, or every\n"
    "configuration value of the description written), then INIT. Refused without --yes.\n";

namespace {

// Scans the options of a destructive command; 0 when it may run.
int scanConfirmed(const char* command, const char* usage, const Arguments& args, ModuleSession& session) {
    cmdline::Scanner scanner;
    scanner.flag("--yes", [&session] { session.ui().confirmed = true; });
    std::vector<std::string> words;
    if (const int status = scanModuleOptions(command, usage, args, scanner, session, words, false)) return status;
    if (!session.ui().confirmed) return usageError(command, "changes the module: give --yes to run it", usage);
    return 0;
}

}  // namespace

int runInit(const Arguments& args) {
    ModuleSession session;
    if (const int status = scanConfirmed("init", kInitUsage, args, session)) return status;
    if (!session.open()) return 1;
    return session.document().SendInit() ? 0 : 1;
}

int runApply(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    bool broadcast = false;
    scanner.flag("--broadcast", [&broadcast] { broadcast = true; });
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("apply", kApplyUsage, args, scanner, session, words, false)) return status;
    if (!session.open() || !session.chooseModel(false) || !session.loadTree()) return 1;
    if (session.document().SendApply(broadcast) || broadcast) return 0;
    std::fprintf(stderr, "vantorctl apply: %s\n",
                 session.document().deviceModel()->GetApplyParameter().errorText.c_str());
    return 1;
}

int runDefaults(const Arguments& args) {
    ModuleSession session;
    if (const int status = scanConfirmed("defaults", kDefaultsUsage, args, session)) return status;
    if (!session.open() || !session.chooseModel(false) || !session.loadTree()) return 1;
    const int before = session.ui().messageCount();
    session.document().ApplyDefaultSettings();
    const auto& outcome = session.document().lastOutcome();
    const bool failed = session.ui().messageCount() != before || (outcome && outcome->counts.failed > 0);
    return failed ? 1 : 0;
}

}  // namespace vantor::cli
