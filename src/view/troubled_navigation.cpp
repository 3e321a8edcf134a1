#include "view/troubled_navigation.h"

#include <algorithm>
#include <vector>

#include "params/parameter.h"

namespace vantor::gui {
namespace {

bool IsParameterRow(const RowNode& row) { return row.parameter() && !row.sampledParameter; }

bool IsTroubled(const RowNode& row) { return IsParameterRow(row) && !row.parameter()->errorText.empty(); }

void PostOrderBranches(const RowNode& branch, std::vector<const RowNode*>& list) {
    for (const auto& child : branch.children)
        if (child->element()) PostOrderBranches(*child, list);
    list.push_back(&branch);
}

// The first (forward) or last (backward) troubled row among `branch`'s children.
const RowNode* TroubledChild(const RowNode& branch, SearchDirection direction) {
    const auto troubled = [](const std::unique_ptr<RowNode>& child) { return IsTroubled(*child); };
    if (direction == SearchDirection::Forward) {
        const auto found = std::find_if(branch.children.begin(), branch.children.end(), troubled);
        return found == branch.children.end() ? nullptr : found->get();
    }
    const auto found = std::find_if(branch.children.rbegin(), branch.children.rend(), troubled);
    return found == branch.children.rend() ? nullptr : found->get();
}

const RowNode* TroubledSibling(const RowNode& row, SearchDirection direction) {
    const auto& siblings = row.parent->children;
    const int step = direction == SearchDirection::Forward ? 1 : -1;
    for (int i = row.row + step; i >= 0 && i < static_cast<int>(siblings.size()); i += step)
        if (IsTroubled(*siblings[static_cast<std::size_t>(i)])) return siblings[static_cast<std::size_t>(i)].get();
    return nullptr;
}

// Down through first children to a parameter row; null at a row without children.
const RowNode* FirstParameterBelow(const RowNode* row) {
    while (row && !IsParameterRow(*row)) {
        const auto next = std::find_if(row->children.begin(), row->children.end(),
                                       [](const auto& child) { return IsParameterRow(*child) || child->element(); });
        row = next == row->children.end() ? nullptr : next->get();
    }
    return row;
}

}  // namespace

const RowNode* FindTroubled(const RowNode* start, const RowNode* deviceBranch, SearchDirection direction) {
    if (!deviceBranch) return nullptr;
    const RowNode* from = start;
    if (!from || from->inScanners || from->role != RowRole::Tree) from = deviceBranch;
    // A decoding row stands for the parameter above it.
    while (from != deviceBranch && !IsParameterRow(*from) && !from->element()) from = from->parent;
    if (!IsParameterRow(*from)) {
        from = FirstParameterBelow(from);
        if (!from) return nullptr;
        if (IsTroubled(*from)) return from;
    }
    if (const RowNode* sibling = TroubledSibling(*from, direction)) return sibling;

    std::vector<const RowNode*> branches;
    PostOrderBranches(*deviceBranch, branches);
    const auto own = std::find(branches.begin(), branches.end(), from->parent);
    if (own == branches.end()) return nullptr;
    const auto position = own - branches.begin();
    const int step = direction == SearchDirection::Forward ? 1 : -1;
    for (auto i = position + step; i >= 0 && i < static_cast<decltype(i)>(branches.size()); i += step)
        if (const RowNode* found = TroubledChild(*branches[static_cast<std::size_t>(i)], direction)) return found;
    return nullptr;
}

const RowNode* FirstTroubled(const RowNode* deviceBranch) {
    if (!deviceBranch) return nullptr;
    for (const auto& child : deviceBranch->children) {
        if (IsTroubled(*child)) return child.get();
        if (child->element())
            if (const RowNode* below = FirstTroubled(child.get())) return below;
    }
    return nullptr;
}

}  // namespace vantor::gui
