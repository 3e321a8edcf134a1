// vantorctl read: the whole parameter tree (or one branch) from the module, printed as
// text, TSV or JSON.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "cli/tree_print.h"
#include "cli/tree_walk.h"

namespace vantor::cli {

extern const char kReadUsage[] =
    "usage: vantorctl read [LINK OPTIONS] [--branch NAME] [--format text|tsv|json]\n"
    "Reads every parameter of the model's tree, or of the first branch called NAME, and\n"
    "prints them: text indents the tree as describe does, with the values; tsv prints\n"
    "one line per parameter: branch path (titles joined by \" / \"), name, data index\n"
    "(empty when not indexed), value, error text; json nests the branches.\n"
    "The status is 1 when a parameter failed (their count on stderr). SIGTERM or Ctrl+C\n"
    "stops the exchange at once; what was read is printed, the status is 205.\n";

int runRead(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::string branchName;
    TreeFormat format = TreeFormat::Text;
    scanner.value("--branch", [&](const std::string& value) {
        branchName = value;
        return value.empty() ? std::string("--branch needs the name of a branch") : std::string();
    });
    scanner.value("--format", [&](const std::string& value) {
        return parseTreeFormat(value, format) ? std::string() : kTreeFormatError;
    });
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("read", kReadUsage, args, scanner, session, words, false)) return status;
    if (!session.open() || !session.chooseModel(false) || !session.loadTree()) return 1;

    DescBranch* branch = branchName.empty() ? session.root() : findBranch(*session.root(), branchName);
    if (!branch) {
        std::fprintf(stderr, "vantorctl: the description holds no branch %s\n", branchName.c_str());
        return 1;
    }

    // The read runs as the document's "Read configuration from device".
    CPlimoDoc& document = session.document();
    document.selectedElement = branch;
    if (!document.ReadAll(TreeScope::SelectedBranch)) return 1;  // the refusal was shown
    const TaskOutcome& outcome = *document.lastOutcome();
    const ExchangeCounts counts = outcome.counts;
    const bool cancelled = outcome.cancelled;

    printTree(*branch, format, false);

    if (cancelled) std::fprintf(stderr, "vantorctl read: stopped after %d parameters\n", counts.handled);
    if (counts.failed) std::fprintf(stderr, "vantorctl read: %d parameters failed\n", counts.failed);
    return cancelled || counts.failed ? 1 : 0;
}

}  // namespace vantor::cli
