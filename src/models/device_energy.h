#pragma once
// The energy meters KQ-21 ... KQ-24: what their calibration wizard asks of the model
// (the instruction of each step, the calibration mode word, the status bit that ends a
// step) and the APLY command they take as an integer.

#include <cstdint>
#include <optional>
#include <string>

#include "models/base_device.h"

namespace vantor {

class CDeviceEnergy : public CBaseDevice {
public:
    // `model` is one of KQ21 ... KQ24.
    CDeviceEnergy(Model model, ModelDocument& document) : CBaseDevice(model, document) {}

    // The instruction shown for calibration step 1, 2, ...; none for a step the meter
    // does not have. A step that names its signal levels shows the values of the
    // calibration-signal parameters, read from the module first while they hold no data.
    virtual std::optional<std::string> CalibrationStepText(int step);
    // The number written, as decimal text, into "Mode" when the calibration starts.
    virtual int CalibrationModeValue() const;
    // Whether the status `value` reports the step of `kind` done.
    virtual bool CalibrationFlagBit(std::uint32_t value, int kind) const;

    // "APLY" of type "int" with the value text "129", on every call.
    Parameter& GetApplyParameter() override;
};

}  // namespace vantor
