#include "sim/calibration_limits.h"

#include <string>

#include "protocol/name_hash.h"
#include "sim/device_errors.h"
#include "sim/state_values.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashLower = hash_name("zU.Sh");
const std::uint16_t kHashUpper = hash_name("zU.Sc");
const std::uint16_t kHashApply = hash_name("U.Apl");
const std::uint16_t kHashStatus = hash_name("Rd.St");

constexpr double kLowerPercent = 0;
constexpr double kUpperPercent = 100;

}  // namespace

std::optional<int> LimitsCalibration::commandChannel(const ModuleRequest& request, ModuleReply& refused) const {
    const Bytes& data = request.data;
    if (!data.empty() && data.size() != 2) {
        refused = refusal(kErrDataLength);
        return std::nullopt;
    }
    const int channel = data.empty() ? 0 : data[0] << 8 | data[1];
    if (channel >= channels_) {
        refused = refusal(kErrParameterIndex);
        return std::nullopt;
    }
    return channel;
}

std::optional<ModuleReply> LimitsCalibration::intercept(const ModuleRequest& request, ParameterTable& table,
                                                        std::int64_t now) {
    if (request.hash == kHashStatus && request.read) {
        ModuleParameter* status = addressed(table, request);
        if (!status) return std::nullopt;
        if (!request.data.empty()) return refusal(kErrDataLength);
        return answer(request, encodeNumber(*status, status_));
    }
    const bool command = !request.read && request.addressOffset == 0;
    if (command && (request.hash == kHashLower || request.hash == kHashUpper))
        return measureLimit(request, request.hash == kHashUpper);
    if (command && request.hash == kHashApply) {
        ModuleReply refused;
        if (!commandChannel(request, refused)) return refused;
        apply();
        return answer(request, request.data);
    }
    return interceptOther(request, table, now);
}

std::optional<ModuleReply> LimitsCalibration::measureLimit(const ModuleRequest& request, bool upper) {
    ModuleReply refused;
    const auto channel = commandChannel(request, refused);
    if (!channel) return refused;
    const double expected = upper ? kUpperPercent : kLowerPercent;
    // The module cannot take a reference that is not at the limit it measures.
    if (fitOfSignal(settings_, expected) != SignalFit::Fits) return refusal(kErrRealOutOfRange);
    (upper ? upper_ : lower_)[*channel] = appliedPercent(settings_, expected);
    return answer(request, request.data);
}

void LimitsCalibration::apply() {
    if (const auto failure = takeFailure(settings_)) {
        status_ = failedStatus(*failure);
        return;
    }
    status_ = 0;
    for (const auto& [channel, percent] : lower_) store_["lower." + std::to_string(channel)] = percent;
    for (const auto& [channel, percent] : upper_) store_["upper." + std::to_string(channel)] = percent;
    lower_.clear();
    upper_.clear();
}

}  // namespace vantor::sim
