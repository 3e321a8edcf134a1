// The strain-gauge inputs (KQ-15 one, KQ-16 four): the factory calibration of the
// limits, the live signal "Rd.fV" and the load "Rd.fF" it gives through the channel's
// scaling, and the tare "U.Wgh", which takes the present load into "p.wgh".

#include <array>

#include "protocol/name_hash.h"
#include "sim/calibration_families.h"
#include "sim/calibration_limits.h"
#include "sim/state_values.h"
#include "sim/value_rules.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashSignal = hash_name("Rd.fV");
const std::uint16_t kHashLoad = hash_name("Rd.fF");
const std::uint16_t kHashTare = hash_name("U.Wgh");

// The input range of each sensitivity, plus and minus this many millivolts.
constexpr std::array<double, 7> kRangeMv = {4, 7.5, 15, 35, 70, 140, 300};
constexpr int kFourChannels = 4;

class StrainGaugeCalibration : public LimitsCalibration {
public:
    StrainGaugeCalibration(CalibrationSettings& settings, CalibrationStore& store, int model)
        : LimitsCalibration(settings, store, model == kKq16 ? kFourChannels : 1), model_(model) {}

protected:
    std::optional<ModuleReply> interceptOther(const ModuleRequest& request, ParameterTable& table,
                                              std::int64_t now) override {
        if (request.hash == kHashTare && !request.read && request.addressOffset == 0) return tare(request, table, now);
        if (!request.read || (request.hash != kHashSignal && request.hash != kHashLoad)) return std::nullopt;
        // The readings of a channel answer at the module's address plus the channel.
        ModuleParameter* reading = addressed(table, request);
        if (!reading || !request.data.empty()) return std::nullopt;  // the module's usual refusal
        const int channel = reading->addressOffset;
        return answer(request, encodeNumber(*reading, request.hash == kHashSignal ? signalMv(table, channel, now)
                                                                                  : load(table, channel, now)));
    }

    std::uint32_t failedStatus(int failure) const override { return static_cast<std::uint32_t>(failure); }

private:
    // The data index of a channel's settings: the channel, where there are several.
    std::optional<int> settingIndex(int channel) const {
        return channels() > 1 ? std::optional<int>(channel) : std::nullopt;
    }

    double number(const ParameterTable& table, const char* name, int channel, double otherwise) const {
        const ModuleParameter* parameter = table.find(name, settingIndex(channel));
        return parameter ? numericValue(*parameter, parameter->value) : otherwise;
    }

    // A reference source gives a steady signal; without one the bridge's own moves.
    double signalMv(const ParameterTable& table, int channel, std::int64_t now) const {
        if (settings_.signalPercent) {
            const auto sensitivity = static_cast<std::size_t>(number(table, "Sens", channel, 0));
            const double range = kRangeMv[std::min(sensitivity, kRangeMv.size() - 1)];
            return -range + 2 * range * *settings_.signalPercent / 100;
        }
        const ModuleParameter* signal = table.find("Rd.fV", std::nullopt, channel);
        return signal ? numericValue(*signal, stateValue(*signal, now, model_)) : 0;
    }

    // The load the channel's scaling makes of the signal: the signals at 0 and 100 %
    // ("zu.fn", "zu.fx") give the loads "v.min" and "v.max".
    double load(const ParameterTable& table, int channel, std::int64_t now) const {
        const double zero = number(table, "zu.fn", channel, 0);
        const double full = number(table, "zu.fx", channel, 0);
        if (full == zero) return number(table, "v.min", channel, 0);
        const double low = number(table, "v.min", channel, 0);
        const double high = number(table, "v.max", channel, 0);
        return low + (high - low) * (signalMv(table, channel, now) - zero) / (full - zero);
    }

    std::optional<ModuleReply> tare(const ModuleRequest& request, ParameterTable& table, std::int64_t now) const {
        ModuleReply refused;
        const auto channel = commandChannel(request, refused);
        if (!channel) return refused;
        if (ModuleParameter* weight = table.find("p.wgh", channels() > 1 ? std::optional<int>(*channel) : std::nullopt))
            weight->value = encodeNumber(*weight, load(table, *channel, now));
        return answer(request, request.data);
    }

    const int model_;
};

}  // namespace

FirmwarePointer strainGaugeCalibration(CalibrationSettings& settings, CalibrationStore& store, int model) {
    return std::make_unique<StrainGaugeCalibration>(settings, store, model);
}

}  // namespace vantor::sim
