// The I/O status dialog's content: the inputs and outputs tables built from the
// sampled state parameters, and the input indicators' states.

#include <array>
#include <charconv>
#include <map>

#include "description/desc_branch.h"
#include "models/base_device.h"
#include "models/model_document.h"
#include "models/model_exchange.h"
#include "params/parameter.h"
#include "text/texts.h"

namespace vantor {
namespace {

// What an inputs table lists: its column titles (a third column holds the counters'
// reset buttons) and the label format of a row.
struct InputsLayout {
    std::array<const char*, 3> columnKeys;
    const char* rowLabelKey;
};

constexpr InputsLayout kCounters{{"IDS_STRING211", "IDS_STRING302", "IDS_STRING305"}, "IDS_STRING299"};
constexpr InputsLayout kAnalogInputs{{"IDS_STRING211", "IDS_STRING382", nullptr}, "IDS_STRING381"};
constexpr InputsLayout kMeasuringDevices{{"IDS_STRING211", "IDS_STRING302", nullptr}, "IDS_STRING321"};

const InputsLayout& layoutOf(InputsKind kind) {
    switch (kind) {
    case InputsKind::AnalogInputs: return kAnalogInputs;
    case InputsKind::MeasuringDevices: return kMeasuringDevices;
    case InputsKind::Counters: break;
    }
    return kCounters;
}

// The scanner parameters named `name` by data index, walked as 0, step, 2 × step, ...
// where step is the distance between the first two indexes found.
std::vector<std::pair<int, Parameter*>> channels(DescBranch* scanners, const std::string& name) {
    std::vector<std::pair<int, Parameter*>> walk;
    if (!scanners || name.empty()) return walk;
    std::map<int, Parameter*> byIndex;
    int largest = 0;
    int step = 0;
    scanners->FindParameters(name, &byIndex, &largest, &step, 0);
    for (const auto& [index, parameter] : byIndex)
        if (index <= largest && (step > 0 ? index % step == 0 : index == 0)) walk.emplace_back(index, parameter);
    return walk;
}

// The value cell shows "0" until the first reading arrives.
std::string valueCellText(const Parameter& parameter) {
    return parameter.valueText == Text("IDS_NODATA") ? "0" : parameter.valueText;
}

}  // namespace

IoTable CBaseDevice::FillInputsTable() const {
    const InputsLayout& layout = layoutOf(facts().inputsKind);
    const bool resetButtons = layout.columnKeys[2] != nullptr;
    IoTable table;
    for (const char* key : layout.columnKeys)
        if (key) table.columns.push_back(Text(key));
    if (!HasInputs()) return table;
    for (const auto& [index, parameter] : channels(document().scannersBranch(), InputParameterName())) {
        std::vector<IoCell> row{{valueCellText(*parameter), parameter},
                                {FormatText(Text(layout.rowLabelKey), index + 1), parameter}};
        if (resetButtons) row.push_back({Text("IDS_STRING300"), parameter, true, true});
        table.rows.push_back(std::move(row));
    }
    return table;
}

IoTable CBaseDevice::FillOutputsTable() const {
    IoTable table;
    table.columns = {Text("IDS_STRING211"), Text("IDS_STRING383")};
    if (!HasOutputs()) return table;
    // The value cell is edited in the dialog: the edited text is written to the module.
    for (const auto& [index, parameter] : channels(document().scannersBranch(), OutputParameterName()))
        table.rows.push_back({{valueCellText(*parameter), parameter, false}, {parameter->description, parameter}});
    return table;
}

std::vector<std::optional<std::string>> CBaseDevice::UpdateInputIndicators(const IoTable& inputs, int indicatorCount) {
    std::vector<std::optional<std::string>> states;
    if (!HasInputs() || indicatorCount <= 0) return states;

    if (facts().inputsKind != InputsKind::Counters) {
        // Each indicator shows its row's reading, unless the person is editing that row.
        states.resize(static_cast<std::size_t>(indicatorCount));
        for (std::size_t row = 0; row < inputs.rows.size() && row < states.size(); ++row) {
            const Parameter* reading = inputs.rows[row].empty() ? nullptr : inputs.rows[row].front().parameter;
            if (reading && !reading->valueChanged) states[row] = reading->valueText;
        }
        return states;
    }

    // The input states are the bits of "r.cn", input 1 in bit 0.
    DescBranch* scanners = document().scannersBranch();
    Parameter* bits = scanners ? scanners->FindParameters("r.cn", nullptr, nullptr, nullptr, 0) : nullptr;
    if (!bits) return states;
    document().exchange().ReadParameter(*bits);
    const std::string& text = bits->valueText;
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return states;
    for (int indicator = 0; indicator < indicatorCount; ++indicator)
        states.emplace_back(indicator < 64 && ((value >> indicator) & 1u) ? "1" : "0");
    return states;
}

}  // namespace vantor
