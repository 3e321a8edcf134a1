// The energy meters (KQ-21 to KQ-24): the write of the model's start value into the
// mode word "Mode" starts the staged calibration. The person applies each stage's
// reference, so a stage runs from the first read after the previous one reported its
// end, and reports its own end in "Mode" with the model's flag; a failed stage adds
// bit 0x01, and no stage follows it.

#include <vector>

#include "protocol/name_hash.h"
#include "sim/calibration_families.h"
#include "sim/state_values.h"
#include "sim/value_rules.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashMode = hash_name("Mode");
constexpr std::uint32_t kFlagFailed = 0x01;

struct MeterSequence {
    std::uint32_t startValue;
    std::vector<std::uint32_t> stageEnds;  // what "Mode" reads when each stage has ended
};

// KQ-23 and KQ-24 end their last stage back in operation, with the mode word 0.
MeterSequence sequenceOf(int model) {
    switch (model) {
    case kKq21: return {256, {0x02, 0x04, 0x10}};
    case kKq22: return {256, {0x02, 0x04, 0x40, 0x80}};
    default: return {16, {0x08, 0x04, 0x00}};
    }
}

class MeterCalibration : public CalibrationFirmware {
public:
    MeterCalibration(CalibrationSettings& settings, CalibrationStore& store, int model)
        : CalibrationFirmware(settings, store), sequence_(sequenceOf(model)) {}

    std::optional<ModuleReply> intercept(const ModuleRequest& request, ParameterTable& table, std::int64_t) override {
        if (request.hash != kHashMode) return std::nullopt;
        ModuleParameter* mode = addressed(table, request);
        if (!mode) return std::nullopt;
        if (!request.read) {
            // Any other value is the read-only mode word's to refuse.
            if (request.data.empty() || numericValue(*mode, request.data) != sequence_.startValue) return std::nullopt;
            started_ = true;
            stage_ = 0;
            failed_ = false;
            value_ = sequence_.startValue;
            stageRun_.stop();
            return answer(request, request.data);
        }
        if (!started_ || !request.data.empty()) return std::nullopt;
        advance();
        return answer(request, encodeNumber(*mode, value_));
    }

private:
    void advance() {
        if (failed_ || stage_ >= sequence_.stageEnds.size()) return;
        if (!stageRun_.running()) stageRun_.start(settings_);
        if (!stageRun_.endsWithRead()) return;
        stageRun_.stop();
        value_ = sequence_.stageEnds[stage_];
        if (takeFailure(settings_)) {
            value_ |= kFlagFailed;
            failed_ = true;
            return;
        }
        ++stage_;
    }

    const MeterSequence sequence_;
    bool started_ = false;  // since the start, the mode word tells the calibration's course
    bool failed_ = false;
    std::size_t stage_ = 0;  // the stage running or next to run
    std::uint32_t value_ = 0;
    CalibrationRun stageRun_;
};

}  // namespace

FirmwarePointer meterCalibration(CalibrationSettings& settings, CalibrationStore& store, int model) {
    return std::make_unique<MeterCalibration>(settings, store, model);
}

}  // namespace vantor::sim
