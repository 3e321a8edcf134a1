// The mutual-inductance input (KQ-13): the factory calibration of the limits (a
// failure leaves bit 0x80 in "Rd.St") and the live inductance "Rd.fH", steady at the
// reference when one is applied. The spline's nodes and coefficients are ordinary
// parameters.

#include "protocol/name_hash.h"
#include "sim/calibration_families.h"
#include "sim/calibration_limits.h"
#include "sim/state_values.h"
#include "sim/value_rules.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashInductance = hash_name("Rd.fH");

constexpr std::uint32_t kStatusFailed = 0x80;
constexpr double kUpperLimitMh = 10;
// "tdev" names the lower limit of the range: -10 mH (0) or 0 mH (1).
constexpr double kLowerLimitsMh[] = {-10, 0};

class InductanceCalibration : public LimitsCalibration {
public:
    InductanceCalibration(CalibrationSettings& settings, CalibrationStore& store)
        : LimitsCalibration(settings, store, 1) {}

protected:
    std::optional<ModuleReply> interceptOther(const ModuleRequest& request, ParameterTable& table,
                                              std::int64_t) override {
        if (request.hash != kHashInductance || !request.read || !settings_.signalPercent) return std::nullopt;
        ModuleParameter* reading = addressed(table, request);
        if (!reading || !request.data.empty()) return std::nullopt;
        const ModuleParameter* variant = table.find("tdev");
        const bool zeroBased = variant && numericValue(*variant, variant->value) != 0;
        const double lower = kLowerLimitsMh[zeroBased ? 1 : 0];
        return answer(request,
                      encodeNumber(*reading, lower + (kUpperLimitMh - lower) * *settings_.signalPercent / 100));
    }

    std::uint32_t failedStatus(int) const override { return kStatusFailed; }
};

}  // namespace

FirmwarePointer inductanceCalibration(CalibrationSettings& settings, CalibrationStore& store) {
    return std::make_unique<InductanceCalibration>(settings, store);
}

}  // namespace vantor::sim
