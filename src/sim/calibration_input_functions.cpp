// The calibration functions of the input modules (KQ-01, KQ-09): "CLB.I" starts a
// calibration of a type, "CLB.S" tells how its measurement goes, "CLB.T" checks the
// coefficients it found, "CLB.G" hands one out, "CLB.P" stores them permanently and
// "CLB.A" leaves calibration. The replies carry the process flags and a status.

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

#include "protocol/name_hash.h"
#include "sim/calibration_families.h"
#include "sim/device_errors.h"

namespace vantor::sim {
namespace {

const std::uint16_t kHashStart = hash_name("CLB.I");
const std::uint16_t kHashState = hash_name("CLB.S");
const std::uint16_t kHashTest = hash_name("CLB.T");
const std::uint16_t kHashGet = hash_name("CLB.G");
const std::uint16_t kHashStore = hash_name("CLB.P");
const std::uint16_t kHashLeave = hash_name("CLB.A");

// The functions and whether they are read (else written).
struct Function {
    std::uint16_t hash;
    bool read;
};
const Function kFunctions[] = {{kHashStart, false}, {kHashState, true},  {kHashTest, true},
                               {kHashGet, true},    {kHashStore, false}, {kHashLeave, false}};

// Process flags.
constexpr std::uint8_t kFlagMeasuring = 0x01;
constexpr std::uint8_t kFlagSaved = 0x40;
constexpr std::uint8_t kFlagMeasured = 0x80;
// Status codes.
constexpr std::uint8_t kStatusDone = 0;
constexpr std::uint8_t kStatusCoefficientsHigh = 4;
constexpr std::uint8_t kStatusCoefficientsLow = 5;
constexpr std::uint8_t kStatusWrongSequence = 11;
constexpr std::uint8_t kStatusWrongInput = 12;
constexpr std::uint8_t kStatusWrongType = 13;
constexpr std::uint8_t kStatusNotCalculated = 32;

constexpr int kValveType = 4;  // takes a channel and the valve's position
constexpr std::uint8_t kOpenPosition = 0x80;
// What a calibration of each type finds at the reference it expects.
const std::array<std::vector<double>, 4> kFoundCoefficients = {{
    {1.0},
    {1.0, 0.998},
    {1.0, 0.998, 1.002, 0.999},
    {1.0},
}};
// An invalid coefficient lies this far off.
constexpr double kInvalidFactor = 1.5;

class InputFunctions : public CalibrationFirmware {
public:
    using CalibrationFirmware::CalibrationFirmware;

    std::optional<ModuleReply> intercept(const ModuleRequest& request, ParameterTable& table, std::int64_t) override {
        const auto function = std::find_if(std::begin(kFunctions), std::end(kFunctions),
                                           [&](const Function& f) { return f.hash == request.hash; });
        if (request.addressOffset != 0 || function == std::end(kFunctions)) return std::nullopt;
        if (request.read != function->read) return refusal(kErrRequestBit);
        if (request.hash == kHashStart) return start(request, table);
        if (request.hash == kHashGet) return coefficient(request);
        if (!request.data.empty()) return refusal(kErrDataLength);
        if (request.hash == kHashState) return state(request);
        if (request.hash == kHashTest) return answer(request, {invalidCoefficient(), flags_, testStatus()});
        if (request.hash == kHashStore) return store(request);
        leave();
        return answer(request, {flags_, status_});
    }

private:
    ModuleReply start(const ModuleRequest& request, const ParameterTable& table) {
        const Bytes& data = request.data;
        if (data.empty() || data.size() > 2) return refusal(kErrDataLength);
        leave();
        const int type = data.back();
        if (type < 1 || type > kValveType) return refused(request, kStatusWrongType);
        // Only the valve calibration names an input, and it must name one.
        if ((type == kValveType) != (data.size() == 2)) return refused(request, kStatusWrongInput);
        if (type == kValveType) {
            channel_ = data[0] & ~kOpenPosition;
            open_ = (data[0] & kOpenPosition) != 0;
            if (channel_ >= inputs(table)) return refused(request, kStatusWrongInput);
        }
        type_ = type;
        flags_ = kFlagMeasuring;
        measurement_.start(settings_);
        return answer(request, {flags_, status_});
    }

    ModuleReply refused(const ModuleRequest& request, std::uint8_t status) {
        status_ = status;
        return answer(request, {flags_, status_});
    }

    ModuleReply state(const ModuleRequest& request) {
        if (measurement_.endsWithRead()) finishMeasurement();
        return answer(request, {flags_, status_});
    }

    void finishMeasurement() {
        measurement_.stop();
        flags_ = kFlagMeasured;
        if (const auto failure = takeFailure(settings_)) {
            status_ = static_cast<std::uint8_t>(*failure);
            return;
        }
        // The coefficients make up for the reference the input saw: too weak a
        // reference asks for too large ones.
        switch (fitOfSignal(settings_, 100)) {
        case SignalFit::Below: status_ = kStatusCoefficientsHigh; return;
        case SignalFit::Above: status_ = kStatusCoefficientsLow; return;
        case SignalFit::Fits: break;
        }
        const double gain = 100 / appliedPercent(settings_, 100);
        found_ = kFoundCoefficients[static_cast<std::size_t>(type_ - 1)];
        for (double& value : found_) value *= gain;
        const int invalid = invalidCoefficient();
        if (invalid > 0 && invalid <= static_cast<int>(found_.size()))
            found_[static_cast<std::size_t>(invalid - 1)] *= kInvalidFactor;
        status_ = kStatusDone;
    }

    std::uint8_t invalidCoefficient() const {
        return found_.empty() ? 0 : static_cast<std::uint8_t>(settings_.invalidCoefficient.value_or(0));
    }
    std::uint8_t testStatus() const {
        return found_.empty() && status_ == kStatusDone ? kStatusNotCalculated : status_;
    }

    // Five bytes: the number, then the value; two without a value.
    ModuleReply coefficient(const ModuleRequest& request) const {
        if (request.data.size() != 1) return refusal(kErrDataLength);
        const int number = request.data[0];
        std::optional<double> value;
        if (number >= 1 && number <= static_cast<int>(found_.size()))
            value = found_[static_cast<std::size_t>(number - 1)];
        else if (const auto stored = store_.find(key(number)); type_ && stored != store_.end())
            value = stored->second;
        if (!value) return answer(request, {flags_, kStatusNotCalculated});
        Bytes data{static_cast<std::uint8_t>(number)};
        const Bytes single = floatBytes(*value);
        data.insert(data.end(), single.begin(), single.end());
        return answer(request, data);
    }

    ModuleReply store(const ModuleRequest& request) {
        if (found_.empty()) return answer(request, {flags_, kStatusWrongSequence});
        for (std::size_t i = 0; i < found_.size(); ++i) store_[key(static_cast<int>(i) + 1)] = found_[i];
        flags_ = kFlagSaved;
        status_ = kStatusDone;
        return answer(request, {flags_, status_});
    }

    void leave() {
        measurement_.stop();
        type_ = 0;
        flags_ = 0;
        status_ = kStatusDone;
        found_.clear();
    }

    // Where the coefficient is kept: by type, for the valve by input and position too.
    std::string key(int number) const {
        std::string name = "type" + std::to_string(type_);
        if (type_ == kValveType) name += ".input" + std::to_string(channel_ + 1) + (open_ ? ".open" : ".close");
        return name + ".k" + std::to_string(number);
    }

    static int inputs(const ParameterTable& table) {
        return static_cast<int>(std::count_if(table.all().begin(), table.all().end(), [](const ModuleParameter& p) {
            return p.addressOffset == 0 && p.name == "in-t";
        }));
    }

    CalibrationRun measurement_;
    int type_ = 0;  // 0: not in calibration
    int channel_ = 0;
    bool open_ = false;
    std::uint8_t flags_ = 0;
    std::uint8_t status_ = kStatusDone;
    std::vector<double> found_;  // by the measurement, not yet stored
};

}  // namespace

FirmwarePointer inputFunctionsCalibration(CalibrationSettings& settings, CalibrationStore& store) {
    return std::make_unique<InputFunctions>(settings, store);
}

}  // namespace vantor::sim
