#include "sim/calibration_firmware.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "protocol/frame.h"
#include "sim/calibration_families.h"

namespace vantor::sim {
namespace {

constexpr double kSignalTolerancePercent = 5;

}  // namespace

std::unique_ptr<CalibrationFirmware> calibrationFor(int model, CalibrationSettings& settings, CalibrationStore& store) {
    switch (model) {
    case kKq01:
    case kKq09: return inputFunctionsCalibration(settings, store);
    case kKq02:
    case kKq03: return outputCoefficientsCalibration(settings, store);
    case kKq08:
    case kKq19: return offsetScaleCalibration(settings, store);
    case kKq13: return inductanceCalibration(settings, store);
    case kKq15:
    case kKq16: return strainGaugeCalibration(settings, store, model);
    case kKq20: return phCalibration(settings, store);
    case kKq21:
    case kKq22:
    case kKq23:
    case kKq24: return meterCalibration(settings, store, model);
    default: return nullptr;
    }
}

void CalibrationRun::start(CalibrationSettings& settings) {
    running_ = true;
    hangs_ = std::exchange(settings.hangNextJob, false);
    busyLeft_ = std::max(settings.busyReads, 0);
}

bool CalibrationRun::endsWithRead() {
    if (!running_ || hangs_) return false;
    if (busyLeft_ > 0) {
        --busyLeft_;
        return false;
    }
    return true;
}

std::optional<int> takeFailure(CalibrationSettings& settings) {
    return std::exchange(settings.failNextJob, std::nullopt);
}

SignalFit fitOfSignal(const CalibrationSettings& settings, double expectedPercent) {
    const double applied = appliedPercent(settings, expectedPercent);
    if (applied > expectedPercent + kSignalTolerancePercent) return SignalFit::Above;
    if (applied < expectedPercent - kSignalTolerancePercent) return SignalFit::Below;
    return SignalFit::Fits;
}

double appliedPercent(const CalibrationSettings& settings, double expectedPercent) {
    return settings.signalPercent.value_or(expectedPercent);
}

bool signalInRange(const CalibrationSettings& settings) {
    const double applied = appliedPercent(settings, 50);
    return applied >= 0 && applied <= 100;
}

ModuleReply answer(const ModuleRequest& request, Bytes data) { return {request.hash, std::move(data)}; }

ModuleReply refusal(std::uint8_t deviceError) { return {kHashDeviceError, {deviceError}}; }

Bytes floatBytes(double value) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(value));
    return {static_cast<std::uint8_t>(bits >> 24), static_cast<std::uint8_t>(bits >> 16),
            static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits)};
}

Bytes indexBytes(int index) {
    return {static_cast<std::uint8_t>(index >> 8 & 0xFF), static_cast<std::uint8_t>(index & 0xFF)};
}

ModuleParameter* addressed(ParameterTable& table, const ModuleRequest& request) {
    const auto candidates = table.named(request.hash, request.addressOffset);
    const Bytes& data = request.data;
    if (data.size() >= 2) {
        const int index = data[data.size() - 2] << 8 | data.back();
        for (ModuleParameter* candidate : candidates)
            if (candidate->indexed && candidate->dataIndex == index) return candidate;
    }
    const auto plain = std::find_if(candidates.begin(), candidates.end(), [](auto* p) { return !p->indexed; });
    return plain == candidates.end() ? nullptr : *plain;
}

}  // namespace vantor::sim
