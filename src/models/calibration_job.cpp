#include "models/calibration_job.h"

#include <cstdio>

#include "params/parameter.h"
#include "params/type_names.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

constexpr int kBusyCode = 6;

// The texts of the refusals the module reports, by code.
const char* refusalKey(int code) {
    switch (code) {
    case 1: return "IDS_STRING646";
    case 2: return "IDS_STRING647";
    case 3: return "IDS_STRING648";
    case 4: return "IDS_STRING649";
    case 5: return "IDS_STRING650";
    default: return nullptr;
    }
}

}  // namespace

JobPoll JobResultPoll::judge(int readResult, const Parameter& result) {
    using State = JobPoll::State;
    if (readResult != 0) {
        const std::string timeout = Text("IDS_NOCARRIER");
        return {State::Failed, result.errorText == timeout ? timeout + "." : Text("IDS_STRING653")};
    }
    int number = 0;
    // Not a number at all: the procedure ends without a reason to give.
    if (std::sscanf(result.valueText.c_str(), "%d", &number) != 1) return {State::Failed, {}};
    const int code = number & 0xFF;
    if (code == 0) return {State::Done, {}};
    if (code == kBusyCode) {
        if (++busyAnswers_ > kMostBusyAnswers) return {State::Failed, Text("IDS_STRING651")};
        return {State::Busy, {}};
    }
    if (const char* key = refusalKey(code)) return {State::Failed, Text(key)};
    return {State::Failed, FormatTextArgs(Text("IDS_STRING652"), number)};
}

std::vector<std::string> calibratableSensors(const Parameter& inputType, Model model) {
    std::vector<std::string> sensors;
    const auto choices = typeElements(inputType.type);
    for (std::size_t choice = 2; choice < choices.size(); ++choice)
        if (!(model == Model::KQ19 && choice == 3)) sensors.push_back(choices[choice]);
    return sensors;
}

void makeTemporaryParameter(Parameter& parameter, const std::string& name, const char* type,
                            const std::string& valueText) {
    parameter.name = name;
    parameter.type = type;
    parameter.valueText = valueText;
}

}  // namespace vantor
