// vantorctl read: the whole parameter tree (or one branch) from the module, printed as
// text, TSV or JSON.

#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "cli/tree_walk.h"

namespace vantor::cli {

extern const char kReadUsage[] =
    "usage: vantorctl read [LINK OPTIONS] [--branch NAME] [--format text|tsv|json]\n"
    "Reads every parameter of the model's tree, or of the first branch called NAME, and\n"
    "prints them: text indents the tree as describe does, with the values; tsv prints\n"
    "one line per parameter: branch path (titles joined by \" / \"), name, data index\n"
    "(empty when not indexed), value, error text; json nests the branches.\n"
    "The status is 1 when a parameter failed (their count on stderr). Ctrl+C stops at\n"
    "the next parameter; what was read is printed, the status is 1.\n";

namespace {

enum class Format { Text, Tsv, Json };

void printText(const DescBranch& branch, int depth) {
    std::printf("%*s%s\n", 2 * depth, "", branch.name().c_str());
    branch.ForEachMember(
        [&](Parameter& p) {
            std::printf("%*s%s = %s%s%s\n", 2 * depth + 2, "", parameterLabel(p).c_str(), p.valueText.c_str(),
                        p.errorText.empty() ? "" : "  ! ", p.errorText.c_str());
        },
        [&](DescBranch& b) { printText(b, depth + 1); });
}

void printTsv(const DescBranch& branch) {
    forEachParameter(branch, [](Parameter& p, const std::string& path) {
        const std::string index = p.indexed ? std::to_string(p.dataIndex) : std::string();
        std::printf("%s\t%s\t%s\t%s\t%s\n", path.c_str(), p.name.c_str(), index.c_str(), p.valueText.c_str(),
                    p.errorText.c_str());
    });
}

nlohmann::ordered_json toJson(const DescBranch& branch) {
    nlohmann::ordered_json parameters = nlohmann::ordered_json::array();
    nlohmann::ordered_json branches = nlohmann::ordered_json::array();
    branch.ForEachMember(
        [&](Parameter& p) {
            nlohmann::ordered_json item = {{"name", p.name}};
            if (p.indexed) item["index"] = p.dataIndex;
            item["value"] = p.valueText;
            if (!p.errorText.empty()) item["error"] = p.errorText;
            parameters.push_back(std::move(item));
        },
        [&](DescBranch& b) { branches.push_back(toJson(b)); });
    return {{"branch", branch.name()}, {"parameters", std::move(parameters)}, {"branches", std::move(branches)}};
}

}  // namespace

int runRead(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::string branchName;
    Format format = Format::Text;
    scanner.value("--branch", [&](const std::string& value) {
        branchName = value;
        return std::string();
    });
    scanner.value("--format", [&](const std::string& value) {
        format = value == "tsv" ? Format::Tsv : value == "json" ? Format::Json : Format::Text;
        return value == "text" || value == "tsv" || value == "json" ? std::string() : "--format is text, tsv or json";
    });
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("read", kReadUsage, args, scanner, session, words, false)) return status;
    if (!session.open() || !session.chooseModel(false) || !session.loadTree()) return 1;

    DescBranch* branch = branchName.empty() ? session.root() : findBranch(*session.root(), branchName);
    if (!branch) {
        std::fprintf(stderr, "vantorctl: the description holds no branch %s\n", branchName.c_str());
        return 1;
    }

    // The read runs as the document's "Read configuration from device"; Ctrl+C cancels
    // it at the next parameter.
    CPlimoDoc& document = session.document();
    document.selectedElement = branch;
    if (!document.ReadAll(TreeScope::SelectedBranch)) return 1;  // the refusal was shown
    const TaskOutcome& outcome = *document.lastOutcome();
    const ExchangeCounts counts = outcome.counts;
    const bool cancelled = outcome.cancelled;

    if (format == Format::Tsv)
        printTsv(*branch);
    else if (format == Format::Json)
        std::printf("%s\n", toJson(*branch).dump(2).c_str());
    else
        printText(*branch, 0);

    if (cancelled) std::fprintf(stderr, "vantorctl read: stopped after %d parameters\n", counts.handled);
    if (counts.failed) std::fprintf(stderr, "vantorctl read: %d parameters failed\n", counts.failed);
    return cancelled || counts.failed ? 1 : 0;
}

}  // namespace vantor::cli
