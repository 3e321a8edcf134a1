#include "cli/tree_print.h"

#include <cstdio>

#include <nlohmann/json.hpp>

#include "cli/module_session.h"
#include "cli/tree_walk.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kTreeFormatError[] = "--format is text, tsv or json";

bool parseTreeFormat(const std::string& word, TreeFormat& format) {
    if (word == "text")
        format = TreeFormat::Text;
    else if (word == "tsv")
        format = TreeFormat::Tsv;
    else if (word == "json")
        format = TreeFormat::Json;
    else
        return false;
    return true;
}

std::string changedMark(const Parameter& p) {
    return p.valueChanged || p.editableChanged || p.ownerChanged ? "changed" : "";
}
std::string editableMark(const Parameter& p) { return Text(p.editable ? "IDS_STRING156" : "IDS_STRING157"); }
std::string ownerMark(const Parameter& p) { return Text(p.manufacturerOwned ? "IDS_STRING158" : "IDS_STRING159"); }

namespace {

void printText(const DescBranch& branch, int depth, bool withMarks) {
    std::printf("%*s%s\n", 2 * depth, "", branch.name().c_str());
    branch.ForEachMember(
        [&](Parameter& p) {
            std::string marks;
            if (withMarks) {
                const std::string changed = changedMark(p);
                marks = "  [" + (changed.empty() ? "" : changed + ", ") + editableMark(p) + ", " + ownerMark(p) + "]";
            }
            std::printf("%*s%s = %s%s%s%s\n", 2 * depth + 2, "", parameterLabel(p).c_str(), p.valueText.c_str(),
                        marks.c_str(), p.errorText.empty() ? "" : "  ! ", p.errorText.c_str());
        },
        [&](DescBranch& b) { printText(b, depth + 1, withMarks); });
}

void printTsv(const DescBranch& root, bool withMarks) {
    forEachParameter(root, [&](Parameter& p, const std::string& path) {
        const std::string index = p.indexed ? std::to_string(p.dataIndex) : std::string();
        std::printf("%s\t%s\t%s\t%s\t%s", path.c_str(), p.name.c_str(), index.c_str(), p.valueText.c_str(),
                    p.errorText.c_str());
        if (withMarks)
            std::printf("\t%s\t%s\t%s", changedMark(p).c_str(), editableMark(p).c_str(), ownerMark(p).c_str());
        std::printf("\n");
    });
}

nlohmann::ordered_json toJson(const DescBranch& branch, bool withMarks) {
    nlohmann::ordered_json parameters = nlohmann::ordered_json::array();
    nlohmann::ordered_json branches = nlohmann::ordered_json::array();
    branch.ForEachMember(
        [&](Parameter& p) {
            nlohmann::ordered_json item = {{"name", p.name}};
            if (p.indexed) item["index"] = p.dataIndex;
            item["value"] = p.valueText;
            if (!p.errorText.empty()) item["error"] = p.errorText;
            if (withMarks) {
                item["changed"] = !changedMark(p).empty();
                item["editable"] = p.editable != 0;
                item["owner"] = ownerMark(p);
            }
            parameters.push_back(std::move(item));
        },
        [&](DescBranch& b) { branches.push_back(toJson(b, withMarks)); });
    return {{"branch", branch.name()}, {"parameters", std::move(parameters)}, {"branches", std::move(branches)}};
}

}  // namespace

void printTree(const DescBranch& root, TreeFormat format, bool withMarks) {
    switch (format) {
    case TreeFormat::Tsv: printTsv(root, withMarks); break;
    case TreeFormat::Json: std::printf("%s\n", toJson(root, withMarks).dump(2).c_str()); break;
    case TreeFormat::Text: printText(root, 0, withMarks); break;
    }
}

}  // namespace vantor::cli
