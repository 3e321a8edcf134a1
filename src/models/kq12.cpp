#include "models/kq12.h"

#include "description/desc_branch.h"
#include "models/model_document.h"
#include "params/parameter.h"

namespace vantor {
namespace {

// Positions in the logic list: the two-channel logics (quadrature encoder, up/down
// counter, phase shift meter), and the one-channel ones.
bool isTwoChannel(int position) { return position == 3 || position == 4 || position == 7; }
bool isOneChannel(int position) { return position >= 0 && position <= 6 && !isTwoChannel(position); }

}  // namespace

Parameter* CKQ12::LogPartner(const Parameter& log) const {
    DescBranch* root = document().rootBranch();
    if (!root) return nullptr;
    return root->FindParameters(log.name, nullptr, nullptr, nullptr, log.dataIndex ^ 1);
}

void CKQ12::OnLogParameter(Parameter& log) {
    Parameter* partner = LogPartner(log);
    if (!partner) return;
    const int position = log.EnumIndex(log.valueText);
    if (isTwoChannel(position))
        partner->SetValueText(log.valueText);
    else if (isOneChannel(position) && isTwoChannel(partner->EnumIndex(partner->valueText)))
        partner->SetValueText(partner->EnumText(0));
}

}  // namespace vantor
