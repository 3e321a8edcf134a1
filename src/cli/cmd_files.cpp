// vantorctl save, load and compare: a configuration file and the module, as the
// unattended read and write jobs and the comparison do them.

#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "description/catalogue.h"
#include "document/configuration_file.h"
#include "platform/app_state.h"
#include "platform/file_access.h"

namespace vantor::cli {

extern const char kSaveUsage[] =
    "usage: vantorctl save [LINK OPTIONS] FILE\n"
    "The unattended read job: identifies the module, reads its whole tree and stores it\n"
    "in FILE (the previous file is replaced only by a complete new one). The status is\n"
    "the job's exit code: 0, or 200 + the lowest result bit (201 port, 202 no answer,\n"
    "203 transmission, 204 module error, 205 cancelled, 206 not recognised, 207 file\n"
    "not saved).\n";
extern const char kLoadUsage[] =
    "usage: vantorctl load [LINK OPTIONS] [--changes] [--force] FILE\n"
    "The unattended write job: loads FILE and writes its whole tree to the module, or\n"
    "with --changes only the parameters changed in it. A file of another model than the\n"
    "module's is refused unless --force. The status is the job's exit code (see save).\n";
extern const char kCompareUsage[] =
    "usage: vantorctl compare [LINK OPTIONS] [--force] FILE\n"
    "Loads FILE and compares every parameter with the module; prints the comparison\n"
    "report. The status is 0 without differences, 1 with.\n";

namespace {

// The job's exit code; 1 when the job failed without a result bit saying why.
int jobStatus() {
    const int code = app().exitCode();
    return code ? code : 1;
}

// Identifies the module and opens FILE for it: a file of another model only with
// `force`. False after a message.
bool openForModule(ModuleSession& session, const std::string& path, bool force) {
    if (!session.open() || !session.chooseModel(false)) return false;
    std::string bytes, reason;
    if (!readFile(path, bytes, reason)) {
        std::fprintf(stderr, "vantorctl: %s: %s\n", path.c_str(), reason.c_str());
        return false;
    }
    const std::optional<int> stored = PeekConfigurationModel(bytes);
    if (stored && *stored != kNoModel && *stored != session.model() && !force) {
        std::fprintf(stderr, "vantorctl: %s holds a configuration of %s, the module is a %s (--force loads it)\n",
                     path.c_str(), modelDisplayName(*stored).c_str(), modelDisplayName(session.model()).c_str());
        return false;
    }
    return session.document().OnOpenDocument(path);
}

int scanFileCommand(const char* command, const char* usage, const Arguments& args, cmdline::Scanner& scanner,
                    ModuleSession& session, std::string& path) {
    std::vector<std::string> words;
    if (const int status = scanModuleOptions(command, usage, args, scanner, session, words, true)) return status;
    if (words.size() != 1) return usageError(command, "give one FILE", usage);
    path = words.front();
    return 0;
}

}  // namespace

int runSave(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::string path;
    if (const int status = scanFileCommand("save", kSaveUsage, args, scanner, session, path)) return status;
    std::string reason;
    if (!canSaveFile(path, reason)) {
        std::fprintf(stderr, "vantorctl save: %s: %s\n", path.c_str(), reason.c_str());
        return 1;
    }
    if (!session.open() || !session.chooseModel(false) || !session.loadTree()) return jobStatus();
    CPlimoDoc& document = session.document();
    document.ReadAll(TreeScope::WholeTree);
    if (!document.OnSaveDocument(path, reason)) {
        std::fprintf(stderr, "vantorctl save: %s: %s\n", path.c_str(), reason.c_str());
        app().setResultBit(kResultFileNotSaved);
    }
    return app().exitCode();
}

int runLoad(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    bool changesOnly = false, force = false;
    scanner.flag("--changes", [&changesOnly] { changesOnly = true; });
    scanner.flag("--force", [&force] { force = true; });
    std::string path;
    if (const int status = scanFileCommand("load", kLoadUsage, args, scanner, session, path)) return status;
    if (!openForModule(session, path, force)) return jobStatus();
    CPlimoDoc& document = session.document();
    const bool ran =
        changesOnly ? document.WriteChanges(TreeScope::WholeTree) : document.WriteAll(TreeScope::WholeTree);
    if (!ran) return jobStatus();
    return app().exitCode();
}

int runCompare(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    bool force = false;
    scanner.flag("--force", [&force] { force = true; });
    std::string path;
    if (const int status = scanFileCommand("compare", kCompareUsage, args, scanner, session, path)) return status;
    if (!openForModule(session, path, force)) return 1;
    if (!session.document().Compare(TreeScope::WholeTree)) return 1;
    return session.document().compareReport().differences() == 0 ? 0 : 1;
}

}  // namespace vantor::cli
