// vantorctl save, load and compare: a configuration file and the module, as the
// unattended read and write jobs and the comparison do them.

#include <algorithm>
#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "cli/tree_walk.h"
#include "description/catalogue.h"
#include "document/configuration_file.h"
#include "document/read_job.h"
#include "document/review.h"
#include "platform/app_state.h"
#include "platform/file_access.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kSaveUsage[] =
    "usage: vantorctl save [LINK OPTIONS] FILE\n"
    "The unattended read job: identifies the module, reads its whole tree and stores it\n"
    "in FILE (the previous file is replaced only by a complete new one). A read that\n"
    "did not end (cancelled, the module or the port lost) leaves FILE as it was and\n"
    "goes to FILE.incomplete.vantor beside it. The status is the job's exit code: 0,\n"
    "or 200 + the lowest result bit (201 port, 202 no answer, 203 transmission or a\n"
    "parameter failed, 204 module error, 205 cancelled, SIGTERM or Ctrl+C, 206 not\n"
    "recognised, 207 file not saved).\n";
extern const char kLoadUsage[] =
    "usage: vantorctl load [LINK OPTIONS] [--changes] [--force] FILE\n"
    "       vantorctl load [LINK OPTIONS] [--force] FILE --only NAME[:INDEX]...\n"
    "The unattended write job: loads FILE and writes its whole tree to the module, or\n"
    "with --changes only the parameters changed in it, or with --only exactly the named\n"
    "ones (nothing is written when one of them is not in the tree or cannot be written).\n"
    "A file of another model than the module's is refused unless --force. The status is\n"
    "the job's exit code (see save); 1 when a named parameter was not written.\n";
extern const char kCompareUsage[] =
    "usage: vantorctl compare [LINK OPTIONS] [--force] [--all] FILE\n"
    "Loads FILE and compares every parameter with the module; prints the comparison\n"
    "report, and with --all then every difference on a line of its own, fields\n"
    "separated by a tab: branch path, NAME[:INDEX], the file's value, the module's value,\n"
    "read/write or read-only (whether load --only can write it). The status is 0\n"
    "without differences, 1 with.\n";

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
    if (!ReadConfigurationFile(path, bytes, reason)) {
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

// The command's words: FILE first, then whatever else may follow it.
int scanFileWords(const char* command, const char* usage, const Arguments& args, cmdline::Scanner& scanner,
                  ModuleSession& session, std::vector<std::string>& words) {
    if (const int status = scanModuleOptions(command, usage, args, scanner, session, words, true)) return status;
    if (words.empty()) return usageError(command, "give one FILE", usage);
    return 0;
}

int scanFileCommand(const char* command, const char* usage, const Arguments& args, cmdline::Scanner& scanner,
                    ModuleSession& session, std::string& path) {
    std::vector<std::string> words;
    if (const int status = scanFileWords(command, usage, args, scanner, session, words)) return status;
    if (words.size() != 1) return usageError(command, "give one FILE", usage);
    path = words.front();
    return 0;
}

// The parameters `names` refers to, each once, in the order given; empty after a
// message when one is not in the tree or cannot be written.
std::vector<Parameter*> namedForWrite(const DescBranch& root, const std::vector<std::string>& names) {
    std::vector<Parameter*> found;
    for (const std::string& name : names) {
        ParameterRef ref;
        Parameter* parameter = parseParameterRef(name, ref) ? findParameter(root, ref) : nullptr;
        const char* problem = !parameter                                   ? "is not a parameter of the tree"
                              : !parameter->userEditable                   ? "cannot be written"
                              : parameter->valueText == Text("IDS_NODATA") ? "holds no value in the file"
                                                                           : nullptr;
        if (problem) {
            std::fprintf(stderr, "vantorctl load: %s %s\n", name.c_str(), problem);
            return {};
        }
        if (std::find(found.begin(), found.end(), parameter) == found.end()) found.push_back(parameter);
    }
    return found;
}

// Writes exactly `names` of the loaded file; each failure on stderr.
int loadOnly(CPlimoDoc& document, const std::vector<std::string>& names) {
    const std::vector<Parameter*> parameters = namedForWrite(*document.rootBranch(), names);
    if (parameters.empty() || !WriteOnly(document, parameters)) return jobStatus();
    bool allWritten = true;
    for (const Parameter* parameter : parameters) {
        if (parameter->errorText.empty()) continue;
        allWritten = false;
        std::fprintf(stderr, "vantorctl load: %s: %s\n", parameterLabel(*parameter).c_str(),
                     parameter->errorText.c_str());
    }
    const int code = app().exitCode();
    return code || allWritten ? code : 1;
}

void printDifferences(const ModuleReview& review) {
    for (const ReviewRow& row : review.rows())
        std::printf("%s\t%s\t%s\t%s\t%s\n", row.path.c_str(), row.label.c_str(), row.fileValue.c_str(),
                    row.moduleValue.c_str(), Text(row.writable ? "IDS_STRING156" : "IDS_STRING157").c_str());
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
    MarkFailedRead(document.lastOutcome());
    const std::string saved = SaveReadJobFile(document, path, reason);
    if (saved.empty())
        std::fprintf(stderr, "vantorctl save: %s: %s\n", path.c_str(), reason.c_str());
    else if (saved != path)
        std::fprintf(stderr, "vantorctl save: %s\n", IncompleteReadNote(saved).c_str());
    return app().exitCode();
}

int runLoad(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    bool changesOnly = false, force = false, only = false;
    scanner.flag("--changes", [&changesOnly] { changesOnly = true; });
    scanner.flag("--force", [&force] { force = true; });
    scanner.flag("--only", [&only] { only = true; });
    std::vector<std::string> words;
    if (const int status = scanFileWords("load", kLoadUsage, args, scanner, session, words)) return status;
    if (only && changesOnly) return usageError("load", "--only and --changes exclude each other", kLoadUsage);
    if (only && words.size() < 2) return usageError("load", "--only wants the NAMEs after FILE", kLoadUsage);
    if (!only && words.size() != 1) return usageError("load", "give one FILE", kLoadUsage);
    if (!openForModule(session, words.front(), force)) return jobStatus();
    CPlimoDoc& document = session.document();
    if (only) return loadOnly(document, {words.begin() + 1, words.end()});
    const bool ran =
        changesOnly ? document.WriteChanges(TreeScope::WholeTree) : document.WriteAll(TreeScope::WholeTree);
    if (!ran) return jobStatus();
    return app().exitCode();
}

int runCompare(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    bool force = false, all = false;
    scanner.flag("--force", [&force] { force = true; });
    scanner.flag("--all", [&all] { all = true; });
    std::string path;
    if (const int status = scanFileCommand("compare", kCompareUsage, args, scanner, session, path)) return status;
    if (!openForModule(session, path, force)) return 1;
    if (!all) {
        // The document's report, as the menu's comparison shows it.
        if (!session.document().Compare(TreeScope::WholeTree)) return 1;
        return session.document().compareReport().differences() == 0 ? 0 : 1;
    }
    ModuleReview review(session.document());
    if (!review.Compare()) return 1;
    printDifferences(review);
    return review.rows().empty() ? 0 : 1;
}

}  // namespace vantor::cli
