// vantorctl show and diff: configuration files without a module.

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/offline_document.h"
#include "cli/tree_print.h"
#include "cli/tree_walk.h"
#include "description/catalogue.h"
#include "platform/app_state.h"

namespace vantor::cli {

extern const char kShowUsage[] =
    "usage: vantorctl show [FILE OPTIONS] [--format text|tsv|json] FILE\n"
    "Prints the tree stored in FILE with values, errors and marks, without a module.\n"
    "tsv: branch path, name, data index, value, error, then the marks: \"changed\" when\n"
    "the value, editable or owner attribute was changed, read/write or read-only, and\n"
    "the owner (Company or unknown). The status is 1, with nothing printed, when FILE\n"
    "cannot be read to its end.\n";
extern const char kDiffUsage[] =
    "usage: vantorctl diff [FILE OPTIONS] A B\n"
    "Compares two configuration files of one model: one line per parameter whose value\n"
    "or marks differ, \"path / name[:index]<TAB>in A<TAB>in B\", marks in brackets\n"
    "where they differ. The status is 0 when the files hold the same, 1 when not, 2\n"
    "when one cannot be read to its end.\n";

int runShow(const Arguments& args) {
    OfflineDocument file;
    FileOptions options;
    cmdline::Scanner scanner;
    options.addTo(scanner);
    TreeFormat format = TreeFormat::Text;
    scanner.value("--format", [&format](const std::string& value) {
        return parseTreeFormat(value, format) ? std::string() : kTreeFormatError;
    });
    std::vector<std::string> words;
    std::string error = scanner.scan(args, words);
    if (error.empty() && words.size() != 1) error = "give one FILE";
    if (!error.empty()) return usageError("show", error, (std::string(kShowUsage) + kOfflineOptionsUsage).c_str());
    if (!file.open(words.front(), options)) return 1;
    printTree(file.root(), format, true);
    return 0;
}

namespace {

struct Entry {
    std::string value;
    std::string marks;
};

// "path / name[:index]" → what the file holds for it, in tree order.
std::vector<std::pair<std::string, Entry>> entriesOf(const DescBranch& root) {
    std::vector<std::pair<std::string, Entry>> entries;
    forEachParameter(root, [&](Parameter& p, const std::string& path) {
        const std::string changed = changedMark(p);
        entries.push_back(
            {(path.empty() ? "" : path + " / ") + parameterLabel(p),
             {p.valueText, (changed.empty() ? "" : changed + ", ") + editableMark(p) + ", " + ownerMark(p)}});
    });
    return entries;
}

std::string shown(const Entry& entry, bool withMarks) {
    return withMarks ? entry.value + " [" + entry.marks + "]" : entry.value;
}

}  // namespace

int runDiff(const Arguments& args) {
    FileOptions options;
    cmdline::Scanner scanner;
    options.addTo(scanner);
    std::vector<std::string> words;
    std::string error = scanner.scan(args, words);
    if (error.empty() && words.size() != 2) error = "give two files, A and B";
    if (!error.empty()) return usageError("diff", error, (std::string(kDiffUsage) + kOfflineOptionsUsage).c_str());
    constexpr int kCannotRead = 2;
    OfflineDocument a, b;
    if (!a.open(words[0], options)) return kCannotRead;
    const int modelOfA = app().currentModel();
    const auto inA = entriesOf(a.root());
    if (!b.open(words[1], options)) return kCannotRead;
    if (app().currentModel() != modelOfA) {
        std::fprintf(stderr, "vantorctl diff: %s is a %s configuration, %s a %s one\n", words[0].c_str(),
                     modelDisplayName(modelOfA).c_str(), words[1].c_str(),
                     modelDisplayName(app().currentModel()).c_str());
        return 1;
    }
    std::map<std::string, Entry> inB;
    for (auto& [label, entry] : entriesOf(b.root())) inB.emplace(label, entry);

    int differences = 0;
    for (const auto& [label, entry] : inA) {
        const auto other = inB.find(label);
        if (other == inB.end()) continue;  // one model, one tree: never
        const bool marksDiffer = entry.marks != other->second.marks;
        if (entry.value == other->second.value && !marksDiffer) continue;
        std::printf("%s\t%s\t%s\n", label.c_str(), shown(entry, marksDiffer).c_str(),
                    shown(other->second, marksDiffer).c_str());
        ++differences;
    }
    return differences ? 1 : 0;
}

}  // namespace vantor::cli
