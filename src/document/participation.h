#pragma once
// Which parameters of a branch take part in a tree operation, and how many: the range
// of the wait dialog's progress bar.

#include "device/operation_code.h"

namespace vantor {

class DescBranch;
class Parameter;

// 1 every parameter (read, write all, compare); 0 the changed ones (write changes);
// -1 those with a configuration value (write defaults).
constexpr int participationModeOf(OperationCode code) {
    switch (code) {
    case OperationCode::WriteChanges: return 0;
    case OperationCode::WriteDefaults: return -1;
    default: return 1;
    }
}

bool TakesPart(const Parameter& parameter, int mode);
// The participants of `branch` and every branch below it.
int CountParticipants(const DescBranch& branch, int mode);

}  // namespace vantor
