#include "document/participation.h"

#include "description/desc_branch.h"

namespace vantor {

bool TakesPart(const Parameter& parameter, int mode) {
    if (mode > 0) return true;
    if (mode == 0) return parameter.valueChanged || parameter.editableChanged || parameter.ownerChanged;
    return !parameter.configurationValue.empty();
}

int CountParticipants(const DescBranch& branch, int mode) {
    int count = 0;
    branch.ForEachMember([&](Parameter& parameter) { count += TakesPart(parameter, mode) ? 1 : 0; },
                         [&](DescBranch& sub) { count += CountParticipants(sub, mode); });
    return count;
}

}  // namespace vantor
