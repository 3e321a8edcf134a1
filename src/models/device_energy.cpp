#include "models/device_energy.h"

#include <array>
#include <initializer_list>

#include "description/desc_branch.h"
#include "models/model_document.h"
#include "models/model_exchange.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor {
namespace {

// A step's instruction; with parameter names its "%s" are the voltage and the current
// the person sets, taken from the calibration-signal parameters of the tree.
struct CalibrationStep {
    const char* key = nullptr;
    const char* voltage = nullptr;
    const char* current = nullptr;
};

struct MeterFacts {
    std::array<CalibrationStep, 4> steps;  // steps 1 ...; no key: no such step
    int modeValue;
    std::array<std::uint32_t, 4> doneMasks;  // kinds 1 ...; 0: no such kind
    bool zeroCompletesKind3;                 // a status of 0 also reports kind 3 done
};

constexpr MeterFacts kMeters[] = {
    // KQ-21
    {{{{"IDS_STRING339"}, {"IDS_STRING340"}, {"IDS_STRING341"}}}, 256, {0x02, 0x04, 0x10, 0}, false},
    // KQ-22
    {{{{"IDS_STRING335", "uk.hi", "ik.hi"},
       {"IDS_STRING336", "uk.lo", "ik.lo"},
       {"IDS_STRING337", "uk.hi", "ik.hi"},
       {"IDS_STRING338"}}},
     256,
     {0x02, 0x04, 0x40, 0x80},
     false},
    // KQ-23, KQ-24
    {{{{"IDS_STRING325"}, {"IDS_STRING326"}, {"IDS_STRING327"}}}, 16, {0x08, 0x04, 0x02, 0}, true},
    {{{{"IDS_STRING322"}, {"IDS_STRING323"}, {"IDS_STRING324"}}}, 16, {0x08, 0x04, 0x02, 0}, true},
};

const MeterFacts& meterFacts(Model model) { return kMeters[static_cast<int>(model) - static_cast<int>(Model::KQ21)]; }

// Replaces the "%s" of `format` in order by `values`.
std::string substitute(std::string format, std::initializer_list<std::string> values) {
    std::size_t at = 0;
    for (const std::string& value : values) {
        at = format.find("%s", at);
        if (at == std::string::npos) break;
        format.replace(at, 2, value);
        at += value.size();
    }
    return format;
}

}  // namespace

std::optional<std::string> CDeviceEnergy::CalibrationStepText(int step) {
    const auto& steps = meterFacts(model()).steps;
    if (step < 1 || step > static_cast<int>(steps.size()) || !steps[step - 1].key) return std::nullopt;
    const CalibrationStep& s = steps[step - 1];
    const std::string text = Text(s.key);
    if (!s.voltage) return text;

    auto signal = [this](const char* name) -> std::string {
        DescBranch* root = document().rootBranch();
        Parameter* p = root ? root->FindParameters(name, nullptr, nullptr, nullptr, 0) : nullptr;
        if (!p) return Text("IDS_NODATA");
        if (p->valueText == Text("IDS_NODATA")) document().exchange().ReadParameter(*p);
        return p->valueText;
    };
    return substitute(text, {signal(s.voltage), signal(s.current)});
}

int CDeviceEnergy::CalibrationModeValue() const { return meterFacts(model()).modeValue; }

bool CDeviceEnergy::CalibrationFlagBit(std::uint32_t value, int kind) const {
    const MeterFacts& meter = meterFacts(model());
    if (kind < 1 || kind > static_cast<int>(meter.doneMasks.size())) return false;
    if (kind == 3 && meter.zeroCompletesKind3 && value == 0) return true;
    return (value & meter.doneMasks[kind - 1]) != 0;
}

Parameter& CDeviceEnergy::GetApplyParameter() {
    const bool first = !hasApplyParameter();
    Parameter& apply = CBaseDevice::GetApplyParameter();
    if (first) apply.type = "int";
    apply.valueText = "129";
    return apply;
}

}  // namespace vantor
