#pragma once
// KQ-08 and its successor KQ-19: their facts are table rows, but other parts of the
// program ask whether the current model is a KQ-08 or derived from it (the link's
// eight data bits, the value display, the parameter view), and whether it is a KQ-19.

#include "models/base_device.h"

namespace vantor {

class CKQ08 : public CBaseDevice {
public:
    explicit CKQ08(ModelDocument& document) : CKQ08(Model::KQ08, document) {}

protected:
    CKQ08(Model model, ModelDocument& document) : CBaseDevice(model, document) {}
};

class CKQ19 : public CKQ08 {
public:
    explicit CKQ19(ModelDocument& document) : CKQ08(Model::KQ19, document) {}
};

}  // namespace vantor
