// vantorctl describe: loads and builds a model's description as the document does and
// prints both trees.

#include <climits>
#include <cstdio>
#include <string>

#include "cli/command.h"
#include "cli/commands.h"
#include "cli/stderr_user_interface.h"
#include "description/catalogue.h"
#include "description/tree_description.h"
#include "platform/file_access.h"

namespace vantor::cli {

extern const char kDescribeUsage[] =
    "usage: vantorctl describe (--model NAME|INDEX | --tree-file PATH) [--dat PATH]\n"
    "                          [--firmware MAJ.MIN] [--format text|tsv]\n"
    "Loads the description of a model from vantor.dat (beside the program, or --dat)\n"
    "or a plain description file, builds the parameter tree and the sampled tree as\n"
    "the configurator does, and prints them. --firmware sets the version that\n"
    "\"#if ver\" lines compare; without it the version is unknown.\n"
    "TSV lines, depth first in statement order, root tree then sampled tree (S...):\n"
    "  B  depth name count index image selected-image\n"
    "  P  depth name indexed data-index address-offset type decimal-places low high\n"
    "     configuration-value has-attributes user-editable table-mode description\n"
    "Messages go to stderr, one per line. Exit status 0 without any message, 1 when\n"
    "the load raised one, 2 for bad usage.\n";

namespace {

struct DescribeOptions {
    int model = -1;
    std::string treeFile;
    std::string datFile;
    FirmwareVersion firmware;
    bool tsv = false;
};

// Empty when the options are good, else what is wrong.
std::string readOptions(const Arguments& args, DescribeOptions& options) {
    bool modelGiven = false;
    cmdline::Scanner parser;
    parser.value("--model", [&](const std::string& value) {
        options.model = findModel(value);
        modelGiven = true;
        return options.model >= 0
                   ? std::string()
                   : cmdline::rangeMessage("--model", value, 0, kModelCount - 1, "a model name or index");
    });
    parser.value("--tree-file", [&](const std::string& value) {
        options.treeFile = value;
        return std::string();
    });
    parser.value("--dat", [&](const std::string& value) {
        options.datFile = value;
        return std::string();
    });
    parser.value("--firmware", [&](const std::string& value) {
        const auto version = exactFirmwareVersion(value);
        if (version) options.firmware = *version;
        return version ? std::string()
                       : cmdline::rangeMessage("--firmware", value, 0, INT_MAX, "MAJ.MIN, two whole numbers");
    });
    parser.value("--format", [&](const std::string& value) {
        options.tsv = value == "tsv";
        return value == "text" || value == "tsv" ? std::string() : "--format is text or tsv";
    });
    std::vector<std::string> words;
    if (std::string error = parser.scan(args, words); !error.empty()) return error;
    if (!words.empty()) return "unexpected argument '" + words.front() + "'";
    if (modelGiven == !options.treeFile.empty()) return "give either --model or --tree-file";
    return {};
}

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

class TreePrinter {
public:
    explicit TreePrinter(bool tsv) : tsv_(tsv) {}

    void print(const DescBranch& branch, const char* prefix, int depth) const {
        if (tsv_)
            std::printf("%sB\t%d\t%s\t%d\t%d\t%d\t%d\n", prefix, depth, branch.name().c_str(), branch.count(),
                        branch.index(), branch.image(), branch.selectedImage());
        else
            std::printf("%*s%s\n", 2 * depth, "", branch.name().c_str());
        branch.ForEachMember([&](Parameter& p) { print(p, prefix, depth + 1); },
                             [&](DescBranch& b) { print(b, prefix, depth + 1); });
    }

private:
    void print(const Parameter& p, const char* prefix, int depth) const {
        if (tsv_) {
            std::printf("%sP\t%d\t%s\t%d\t%d\t%d\t%s\t%d\t%s\t%s\t%s\t%d\t%d\t%d\t%s\n", prefix, depth, p.name.c_str(),
                        p.indexed, p.dataIndex, p.addressOffset, p.type.c_str(), p.decimalPlaces,
                        number(p.lowLimit).c_str(), number(p.highLimit).c_str(), p.configurationValue.c_str(),
                        p.hasAttributes, p.userEditable, p.tableMode, p.description.c_str());
            return;
        }
        std::string line = p.name;
        if (p.indexed) line += ":" + std::to_string(p.dataIndex);
        if (p.addressOffset) line += " @" + std::to_string(p.addressOffset);
        line += "  " + p.type;
        if (p.decimalPlaces) line += " (" + std::to_string(p.decimalPlaces) + " places)";
        if (p.lowLimit != 0 || p.highLimit != 0)
            line += "  [" + number(p.lowLimit) + " .. " + number(p.highLimit) + "]";
        if (!p.configurationValue.empty()) line += "  = " + p.configurationValue;
        if (!p.userEditable) line += "  read-only";
        std::printf("%*s%s  - %s\n", 2 * depth, "", line.c_str(), p.description.c_str());
    }

    bool tsv_;
};

}  // namespace

int runDescribe(const Arguments& args) {
    DescribeOptions options;
    if (const std::string problem = readOptions(args, options); !problem.empty())
        return usageError("describe", problem, kDescribeUsage);

    StderrUserInterface messages;
    TreeDescription description(messages);
    description.deviceVersion = options.firmware;
    if (!options.datFile.empty()) description.descriptionFile = options.datFile;

    bool loaded = false;
    if (options.treeFile.empty()) {
        loaded = description.LoadTreeDescription(options.model);
    } else {
        std::string text, reason;
        if (!readFile(options.treeFile, text, reason)) {
            std::fprintf(stderr, "vantorctl describe: cannot read %s: %s\n", options.treeFile.c_str(), reason.c_str());
            return 1;
        }
        loaded = description.LoadTreeText(std::move(text), kNoModel);
    }

    const TreePrinter printer(options.tsv);
    if (description.rootBranch) printer.print(*description.rootBranch, "", 0);
    if (description.scannersBranch) {
        if (!options.tsv) std::printf("\nsampled:\n");
        printer.print(*description.scannersBranch, "S", 0);
    }

    return loaded && messages.messageCount() == 0 ? 0 : 1;
}

}  // namespace vantor::cli
