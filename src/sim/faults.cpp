#include "sim/faults.h"

#include <string_view>

#include "cmdline/numbers.h"
#include "protocol/frame.h"
#include "sim/device_errors.h"

namespace vantor::sim {
namespace {

constexpr int kSlowestReplyMs = 60000;
constexpr long kLongestHearing = 1'000'000'000'000;  // frames before going deaf

// The reply rebuilt from the same address under another hash and data.
std::optional<std::string> rebuilt(const std::string& reply, int addressLength, std::uint16_t hash,
                                   std::optional<std::vector<std::uint8_t>> data) {
    ReceivedFrame frame;
    if (ParseFrame(reply, frame) != FrameCheck::Ok) return reply;
    FrameFields fields;
    fields.address = frame.address(addressLength);
    fields.addressLength = addressLength;
    fields.requestBit = frame.requestBit();
    fields.hash = hash;
    fields.data = data ? *data : frame.data;
    return BuildFrame(fields);
}

// Another hash than the reply's that is not "n.Err" either, so that the reply reads as
// a foreign function code and never as a device error.
std::uint16_t otherHash(const std::string& reply) {
    ReceivedFrame frame;
    const std::uint16_t hash = ParseFrame(reply, frame) == FrameCheck::Ok ? frame.hash : 0;
    const auto other = static_cast<std::uint16_t>(hash ^ 0x1111);
    return other == kHashDeviceError ? static_cast<std::uint16_t>(hash ^ 0x2222) : other;
}

}  // namespace

bool FaultSettings::any() const {
    return drop > 0 || badSum > 0 || badHash > 0 || garbage > 0 || deviceError > 0 || slowMs > 0 || deafAfter >= 0;
}

bool addFault(const std::string& item, FaultSettings& settings, std::string& error) {
    const auto equals = item.find('=');
    if (equals == std::string::npos) {
        error = "fault '" + item + "': expected KIND=NUMBER";
        return false;
    }
    const std::string key = item.substr(0, equals);
    const std::string_view number = std::string_view(item).substr(equals + 1);
    struct Probability {
        const char* key;
        double FaultSettings::*field;
    };
    static const Probability kProbabilities[] = {
        {"drop", &FaultSettings::drop},        {"badsum", &FaultSettings::badSum},
        {"badhash", &FaultSettings::badHash},  {"garbage", &FaultSettings::garbage},
        {"nerr", &FaultSettings::deviceError},
    };
    for (const auto& probability : kProbabilities) {
        if (key != probability.key) continue;
        const auto chance = cmdline::parseReal(number, 0, 1);
        if (!chance) {
            error = "fault '" + item + "': the probability must be a number from 0 to 1";
            return false;
        }
        settings.*probability.field = *chance;
        return true;
    }
    if (key == "slow")
        if (const auto ms = cmdline::parseWhole(number, 0, kSlowestReplyMs)) {
            settings.slowMs = *ms;
            return true;
        }
    if (key == "deaf-after")
        if (const auto frames = cmdline::parseWhole(number, 0L, kLongestHearing)) {
            settings.deafAfter = *frames;
            return true;
        }
    error = "fault '" + item + "': unknown kind or bad number (drop, badsum, badhash, garbage, nerr, slow=0.." +
            std::to_string(kSlowestReplyMs) + ", deaf-after)";
    return false;
}

bool FaultInjector::happens(double probability) {
    // Drawn for every frame whatever the probability, so that one fault's setting does
    // not shift the draws of the others.
    const double draw = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
    return draw < probability;
}

std::optional<std::string> FaultInjector::apply(std::optional<std::string> reply, int addressLength) {
    ++frames_;
    const bool drop = happens(settings_.drop);
    const bool deviceError = happens(settings_.deviceError);
    const bool badHash = happens(settings_.badHash);
    const bool badSum = happens(settings_.badSum);
    const bool garbage = happens(settings_.garbage);
    if (!reply || (settings_.deafAfter >= 0 && frames_ > settings_.deafAfter) || drop) return std::nullopt;

    if (deviceError) reply = rebuilt(*reply, addressLength, kHashDeviceError, std::vector<std::uint8_t>{kErrBusy});
    if (badHash && reply) reply = rebuilt(*reply, addressLength, otherHash(*reply), std::nullopt);
    if (badSum && reply && reply->size() >= 3) {
        char& last = (*reply)[reply->size() - 2];  // the checksum's last nibble
        last = last == 'V' ? 'G' : static_cast<char>(last + 1);
    }
    if (garbage && reply) {
        std::string noise;
        const int length = std::uniform_int_distribution<int>(1, 8)(random_);
        for (int i = 0; i < length; ++i) {
            char c = static_cast<char>(std::uniform_int_distribution<int>(0x20, 0x7E)(random_));
            noise.push_back(c == '#' ? '?' : c);
        }
        reply = noise + *reply;
    }
    return reply;
}

}  // namespace vantor::sim
