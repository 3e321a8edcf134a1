#pragma once
// The factory calibration the bridge and inductance inputs share: "zU.Sh" and "zU.Sc"
// measure the reference at the lower and the upper limit of a channel's range (a
// reference out of range is refused with a device error), "U.Apl" takes the limits
// measured and leaves the outcome in the status "Rd.St". The commands take a channel
// as their data index, or none for the first.

#include <map>

#include "sim/calibration_firmware.h"

namespace vantor::sim {

class LimitsCalibration : public CalibrationFirmware {
public:
    LimitsCalibration(CalibrationSettings& settings, CalibrationStore& store, int channels)
        : CalibrationFirmware(settings, store), channels_(channels) {}

    std::optional<ModuleReply> intercept(const ModuleRequest& request, ParameterTable& table,
                                         std::int64_t now) override;

protected:
    // The family's other requests (live readings, tare); none leaves the request to the
    // module.
    virtual std::optional<ModuleReply> interceptOther(const ModuleRequest& request, ParameterTable& table,
                                                      std::int64_t now) = 0;
    // The status a calibration asked to fail with `failure` leaves.
    virtual std::uint32_t failedStatus(int failure) const = 0;

    // The channel a command names: no data for the first, else its two index bytes.
    // None, with the module's refusal in `refused`, when it names none the module has.
    std::optional<int> commandChannel(const ModuleRequest& request, ModuleReply& refused) const;
    int channels() const { return channels_; }

private:
    std::optional<ModuleReply> measureLimit(const ModuleRequest& request, bool upper);
    void apply();

    const int channels_;
    std::uint32_t status_ = 0;
    std::map<int, double> lower_, upper_;  // measured, in percent of the range, by channel
};

}  // namespace vantor::sim
