#pragma once
// Walking a built parameter tree for the module commands: finding a parameter by
// name and data index, a branch by name, and visiting the parameters with their
// branch paths.

#include <functional>
#include <string>

#include "description/desc_branch.h"

namespace vantor::cli {

// "NAME" or "NAME:INDEX" split; false when INDEX is not a whole number.
struct ParameterRef {
    std::string name;
    int index = -1;  // -1: the first parameter of that name
};
bool parseParameterRef(const std::string& text, ParameterRef& ref);

// The parameter the reference names, or null.
Parameter* findParameter(const DescBranch& root, const ParameterRef& ref);
// The first branch (the root included) of that name, or null.
DescBranch* findBranch(DescBranch& root, const std::string& name);

// Every parameter in statement order with the titles of the branches below `root`
// that hold it, joined by " / ".
void forEachParameter(const DescBranch& root, const std::function<void(Parameter&, const std::string& path)>& visit);
int parameterCount(const DescBranch& root);

}  // namespace vantor::cli
