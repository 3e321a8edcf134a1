// The pH and redox calibration (KQ-20): the write of a buffer's value takes a point,
// which the module measures for a while ("Rd.St" bit 0x10); a point it could not take
// leaves bit 0x08 until one succeeds. "U.Apl", written without data, works out the
// electrode's characteristic and answers the electrode's slope.

#include <algorithm>
#include <iterator>

#include "protocol/name_hash.h"
#include "sim/calibration_families.h"
#include "sim/device_errors.h"
#include "sim/state_values.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashStatus = hash_name("Rd.St");
const std::uint16_t kHashApply = hash_name("U.Apl");
const char* const kPhPoints[] = {"U.pH1", "U.pHL", "U.pHH"};
const char* const kRedoxPoints[] = {"U.Rx1", "U.RxL", "U.RxH"};

constexpr std::uint32_t kStatusFailed = 0x08;
constexpr std::uint32_t kStatusMeasuring = 0x10;
constexpr double kTypicalSlope = 1.02;
// Where the simulated electrode's characteristic crosses zero, as a pH calibration
// finds it.
constexpr double kZeroPointPotentialMv = 12.5;
constexpr double kZeroPointPh = 6.95;

bool isOneOf(std::uint16_t hash, const char* const (&names)[3]) {
    return std::any_of(std::begin(names), std::end(names), [&](const char* name) { return hash_name(name) == hash; });
}

void store(ParameterTable& table, const char* name, double value) {
    if (ModuleParameter* parameter = table.find(name)) parameter->value = encodeNumber(*parameter, value);
}

class PhCalibration : public CalibrationFirmware {
public:
    using CalibrationFirmware::CalibrationFirmware;

    std::optional<ModuleReply> intercept(const ModuleRequest& request, ParameterTable& table, std::int64_t) override {
        if (request.hash == kHashStatus && request.read) {
            ModuleParameter* status = addressed(table, request);
            if (!status) return std::nullopt;
            if (!request.data.empty()) return refusal(kErrDataLength);
            return answer(request, encodeNumber(*status, statusWord()));
        }
        if (request.hash == kHashApply && !request.read && request.addressOffset == 0) {
            if (!request.data.empty()) return refusal(kErrDataLength);
            apply(table);
            return answer(request, floatBytes(settings_.slope.value_or(kTypicalSlope)));
        }
        return std::nullopt;
    }

    void written(ModuleParameter& parameter, std::int64_t) override {
        const bool ph = isOneOf(parameter.hash, kPhPoints);
        if (parameter.addressOffset != 0 || (!ph && !isOneOf(parameter.hash, kRedoxPoints))) return;
        point_.start(settings_);
        phPoints_ = ph;
    }

private:
    std::uint32_t statusWord() {
        if (point_.endsWithRead()) {
            point_.stop();
            const bool asked = takeFailure(settings_).has_value();
            failed_ = asked || !signalInRange(settings_);
            pointsTaken_ = !failed_;
        }
        return (point_.running() ? kStatusMeasuring : 0) | (failed_ ? kStatusFailed : 0);
    }

    // The characteristic of the points taken; a failed point leaves the old one.
    void apply(ParameterTable& table) {
        if (pointsTaken_ && phPoints_) {
            store(table, "E.Crd", kZeroPointPotentialMv);
            store(table, "p.Crd", kZeroPointPh);
        }
        pointsTaken_ = false;
    }

    CalibrationRun point_;
    bool phPoints_ = true;
    bool pointsTaken_ = false;
    bool failed_ = false;
};

}  // namespace

FirmwarePointer phCalibration(CalibrationSettings& settings, CalibrationStore& store) {
    return std::make_unique<PhCalibration>(settings, store);
}

}  // namespace vantor::sim
