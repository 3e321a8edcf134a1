#pragma once
// The calibration job of the offset-and-scale modules (KQ-08, KQ-19): a write of the
// start parameter makes the module run the job; reads of "JuRD" then tell whether it
// is done, still busy or refused. What one read means for the procedure is here, so
// that the wizard and the command line judge alike.

#include <string>
#include <vector>

#include "models/model_facts.h"

namespace vantor {

class Parameter;

// The parameters of the job, as the module knows them.
inline constexpr const char* kJobOffsetStart = "JuSh";
inline constexpr const char* kJobScaleStart = "JuSc";
inline constexpr const char* kJobResult = "JuRD";
inline constexpr const char* kJobStore = "Prmn";
inline constexpr const char* kJobApply = "UApl";
// The access code the offset-and-scale procedure asks for.
inline constexpr const char* kJobAccessCode = "936";

struct JobPoll {
    enum class State { Done, Busy, Failed };
    State state = State::Failed;
    std::string errorText;  // for Failed: what the error page shows
};

// Judges the reads of "JuRD" of one job: counts the busy answers in a row and gives up
// after more than ten of them.
class JobResultPoll {
public:
    static constexpr int kMostBusyAnswers = 10;

    // A new job: the busy count starts again.
    void restart() { busyAnswers_ = 0; }
    // `readResult` is what ReadParameter returned for `result`.
    JobPoll judge(int readResult, const Parameter& result);

private:
    int busyAnswers_ = 0;
};

// The sensors input 1 can be calibrated for, in the order of the "in-t" type: its
// choices from the third on (off and the discrete input have nothing to calibrate);
// KQ-19 has no fourth.
std::vector<std::string> calibratableSensors(const Parameter& inputType, Model model);

// A temporary record the calibration procedures exchange on the spot: a name, a type
// and a value text, nothing of the tree.
void makeTemporaryParameter(Parameter& parameter, const std::string& name, const char* type,
                            const std::string& valueText = {});

}  // namespace vantor
