// vantorctl identify and check: which module answers, and whether it can be reached.

#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kIdentifyUsage[] =
    "usage: vantorctl identify [LINK OPTIONS]\n"
    "Reads \"dev\" and \"ver\" and prints the module's report (\"Device\", \"Firmware\"),\n"
    "then \"Model: NAME (INDEX)\" when the catalogue knows it.\n";
extern const char kCheckUsage[] =
    "usage: vantorctl check [LINK OPTIONS]\n"
    "Looks for the module as the connection check does (waking it from the foreign\n"
    "protocols, trying both adapter modes); prints \"Connection established\" and the model.\n";

int runIdentify(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("identify", kIdentifyUsage, args, scanner, session, words, false))
        return status;
    if (!session.open() || !session.chooseModel(true)) return 1;
    std::printf("%s\n", ModuleSession::modelLine(session.model()).c_str());
    return 0;
}

int runCheck(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("check", kCheckUsage, args, scanner, session, words, false)) return status;
    if (!session.open()) return 1;
    bool portFailed = false;
    if (!session.device().CheckConnection(portFailed)) {
        if (!portFailed) std::fprintf(stderr, "%s\n", Text("IDS_STRING262").c_str());
        return 1;
    }
    std::printf("%s\n%s\n", Text("IDS_STRING207").c_str(), ModuleSession::modelLine(session.model()).c_str());
    return 0;
}

}  // namespace vantor::cli
