#pragma once
// KQ-12: the inputs form pairs (1 + 2, 3 + 4) whose two-channel logics occupy both
// inputs, so the input logic "Log" of one input decides its partner's.

#include "models/base_device.h"

namespace vantor {

class CKQ12 : public CBaseDevice {
public:
    explicit CKQ12(ModelDocument& document) : CBaseDevice(Model::KQ12, document) {}

    // The "Log" of the other input of the pair (data index 0 with 1, 2 with 3, ...).
    Parameter* LogPartner(const Parameter& log) const override;
    // A two-channel logic is copied to the partner; a one-channel logic frees a
    // partner that still holds a two-channel one.
    void OnLogParameter(Parameter& log) override;
};

}  // namespace vantor
