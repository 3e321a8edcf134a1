// The output modules (KQ-02, KQ-03): "CLB.I" makes the module drive an output for one
// of its coefficients "CLB.K" while the person adjusts it; the coefficients themselves
// are ordinary parameters. A number without a coefficient is refused.

#include "protocol/name_hash.h"
#include "sim/calibration_families.h"
#include "sim/device_errors.h"
#include "sim/value_rules.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashDrive = hash_name("CLB.I");

class OutputCoefficients : public CalibrationFirmware {
public:
    using CalibrationFirmware::CalibrationFirmware;

    std::optional<ModuleReply> intercept(const ModuleRequest& request, ParameterTable& table, std::int64_t) override {
        if (request.hash != kHashDrive || request.read || request.addressOffset != 0) return std::nullopt;
        const ModuleParameter* drive = addressed(table, request);
        if (!drive || request.data.empty() || request.data.size() > 2) return std::nullopt;
        const auto number = static_cast<int>(numericValue(*drive, request.data));
        return table.find("CLB.K", number) ? std::nullopt : std::optional(refusal(kErrValueForbidden));
    }
};

}  // namespace

FirmwarePointer outputCoefficientsCalibration(CalibrationSettings& settings, CalibrationStore& store) {
    return std::make_unique<OutputCoefficients>(settings, store);
}

}  // namespace vantor::sim
