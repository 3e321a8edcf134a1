// The offset-and-scale calibration of the single-input transmitters (KQ-08, KQ-19):
// "JuSh" and "JuSc" start the zero and the span job, "JuRD" tells how the last job
// went, "Prmn" stores the coefficients the jobs found.

#include "protocol/name_hash.h"
#include "sim/calibration_families.h"
#include "sim/device_errors.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashOffsetStart = hash_name("JuSh");
const std::uint16_t kHashScaleStart = hash_name("JuSc");
const std::uint16_t kHashResult = hash_name("JuRD");
const std::uint16_t kHashStore = hash_name("Prmn");

// Result codes of "JuRD".
constexpr int kSucceeded = 0;
constexpr int kScaleBeforeOffset = 1;
constexpr int kSignalAbove = 2;
constexpr int kSignalBelow = 3;
constexpr int kBusy = 6;
// The job journal's bytes the module sends after the result.
constexpr std::size_t kJournalBytes = 3;

constexpr double kZeroPercent = 0;
constexpr double kSpanPercent = 100;

class OffsetScaleCalibration : public CalibrationFirmware {
public:
    using CalibrationFirmware::CalibrationFirmware;

    std::optional<ModuleReply> intercept(const ModuleRequest& request, ParameterTable&, std::int64_t) override {
        if (request.hash != kHashResult || !request.read || request.addressOffset != 0) return std::nullopt;
        if (!request.data.empty()) return refusal(kErrDataLength);
        if (job_.endsWithRead()) {
            job_.stop();
            result_ = outcome();
        }
        const int code = job_.running() ? kBusy : result_;
        Bytes data{static_cast<std::uint8_t>(code >> 8 & 0xFF), static_cast<std::uint8_t>(code & 0xFF)};
        data.insert(data.end(), kJournalBytes, 0);
        return answer(request, data);
    }

    void written(ModuleParameter& parameter, std::int64_t) override {
        if (parameter.addressOffset != 0) return;
        if (parameter.hash == kHashOffsetStart) start(Job::Offset);
        if (parameter.hash == kHashScaleStart) start(Job::Scale);
        if (parameter.hash == kHashStore) {
            if (pendingOffset_) store_["offset"] = *pendingOffset_;
            if (pendingGain_) store_["gain"] = *pendingGain_;
        }
    }

private:
    enum class Job { Offset, Scale };

    void start(Job job) {
        // The span is measured from the zero: without one the module refuses at once.
        if (job == Job::Scale && !pendingOffset_) {
            job_.stop();
            result_ = kScaleBeforeOffset;
            return;
        }
        kind_ = job;
        job_.start(settings_);
    }

    int outcome() {
        if (const auto failure = takeFailure(settings_)) return *failure;
        const double expected = kind_ == Job::Offset ? kZeroPercent : kSpanPercent;
        switch (fitOfSignal(settings_, expected)) {
        case SignalFit::Above: return kSignalAbove;
        case SignalFit::Below: return kSignalBelow;
        case SignalFit::Fits: break;
        }
        const double applied = appliedPercent(settings_, expected);
        if (kind_ == Job::Offset)
            pendingOffset_ = applied;
        else
            pendingGain_ = kSpanPercent / (applied - *pendingOffset_);
        return kSucceeded;
    }

    CalibrationRun job_;
    Job kind_ = Job::Offset;
    int result_ = kSucceeded;              // of the last job; a module that ran none answers success
    std::optional<double> pendingOffset_;  // the zero found, in percent of the range
    std::optional<double> pendingGain_;
};

}  // namespace

FirmwarePointer offsetScaleCalibration(CalibrationSettings& settings, CalibrationStore& store) {
    return std::make_unique<OffsetScaleCalibration>(settings, store);
}

}  // namespace vantor::sim
