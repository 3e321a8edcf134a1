#pragma once
// Loading small inline descriptions and looking at what they built.

#include <string>
#include <vector>

#include "description/catalogue.h"
#include "description/tree_description.h"
#include "support/recording_ui.h"

namespace vantor::test {

// Loads `text` with the given firmware version, for no model in particular; messages
// land in the interface the description was made with.
inline void loadText(TreeDescription& description, const std::string& text, FirmwareVersion version = {}) {
    description.deviceVersion = version;
    description.LoadTreeText(text, kNoModel);
}

// One line per built node, indented by depth: a branch by its shown name, a parameter
// as "name" or "name:dataIndex" when indexed.
inline void dumpTree(const DescBranch& branch, std::vector<std::string>& lines, int depth = 0) {
    const std::string indent(2 * depth, ' ');
    lines.push_back(indent + branch.name());
    branch.ForEachMember(
        [&](Parameter& p) {
            lines.push_back(indent + "  " + p.name + (p.indexed ? ":" + std::to_string(p.dataIndex) : std::string()));
        },
        [&](DescBranch& sub) { dumpTree(sub, lines, depth + 1); });
}

inline std::vector<std::string> dumpTree(const DescBranch* branch) {
    std::vector<std::string> lines;
    if (branch) dumpTree(*branch, lines);
    return lines;
}

inline std::vector<std::string> parameterNames(const TreeDescription& description) {
    std::vector<std::string> names;
    for (const auto& p : description.descriptionParameters) names.push_back(p.name);
    return names;
}

}  // namespace vantor::test
