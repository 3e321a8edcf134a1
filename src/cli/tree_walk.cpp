#include "cli/tree_walk.h"

#include "cmdline/numbers.h"

namespace vantor::cli {

bool parseParameterRef(const std::string& text, ParameterRef& ref) {
    const std::size_t colon = text.rfind(':');
    ref.name = text.substr(0, colon);
    ref.index = -1;
    if (colon == std::string::npos) return !ref.name.empty();
    const auto index = cmdline::parseWhole<int>(text.substr(colon + 1), 0, 0x7FFFFFFF);
    if (index) ref.index = *index;
    return index && !ref.name.empty();
}

namespace {

void walk(const DescBranch& branch, const std::string& path,
          const std::function<void(Parameter&, const std::string&)>& visit) {
    branch.ForEachMember([&](Parameter& p) { visit(p, path); },
                         [&](DescBranch& b) { walk(b, path.empty() ? b.name() : path + " / " + b.name(), visit); });
}

}  // namespace

void forEachParameter(const DescBranch& root, const std::function<void(Parameter&, const std::string&)>& visit) {
    walk(root, "", visit);
}

int parameterCount(const DescBranch& root) {
    int count = 0;
    forEachParameter(root, [&](Parameter&, const std::string&) { ++count; });
    return count;
}

Parameter* findParameter(const DescBranch& root, const ParameterRef& ref) {
    Parameter* found = nullptr;
    forEachParameter(root, [&](Parameter& p, const std::string&) {
        if (found || p.name != ref.name) return;
        if (ref.index < 0 || (p.indexed && p.dataIndex == ref.index)) found = &p;
    });
    return found;
}

DescBranch* findBranch(DescBranch& root, const std::string& name) {
    if (root.name() == name) return &root;
    DescBranch* found = nullptr;
    root.ForEachMember([](Parameter&) {},
                       [&](DescBranch& b) {
                           if (!found) found = findBranch(b, name);
                       });
    return found;
}

}  // namespace vantor::cli
