#pragma once
// KQ-15 (one strain-gauge input, variant 0) and KQ-16 (four inputs, variant 1): one
// model class. Its addresses leave out 255, and it adds the tare weight to the Tools menu.

#include "models/base_device.h"

namespace vantor {

class CKQ15 : public CBaseDevice {
public:
    // `model` is KQ15 or KQ16.
    CKQ15(Model model, ModelDocument& document) : CBaseDevice(model, document) {}

    int Variant() const { return model() == Model::KQ16 ? 1 : 0; }

    // With 8 address bits 1 ... 254; with 11 bits also 256 ... 2036.
    bool IsValidAddress(int address, const std::string& addressLength) const override;
    // "Tare weight" in Tools, in front of "Calibration...".
    std::vector<MenuInsertion> AdjustMenu() const override;
};

}  // namespace vantor
