#pragma once
// The facts of the 23 module models that need no code of their own, one table row per
// catalogue index: what the I/O status dialog shows, the status decoding, the
// calibration procedure and the switches other parts of the program ask for.

#include <array>
#include <span>

namespace vantor {

// The catalogue index of each model (KQ-14 does not exist).
enum class Model : int {
    KQ01,
    KQ02,
    KQ03,
    KQ04,
    KQ05,
    KQ06,
    KQ07,
    KQ08,
    KQ09,
    KQ10,
    KQ11,
    KQ12,
    KQ13,
    KQ15,
    KQ16,
    KQ17,
    KQ18,
    KQ19,
    KQ20,
    KQ21,
    KQ22,
    KQ23,
    KQ24,
};

// An indicator of the I/O status dialog, in dialog units.
struct IndicatorRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const IndicatorRect&) const = default;
};

// One line of indicators: the scanner parameter behind them, the first indicator and
// the horizontal step to the next. No parameter: the model has no such line.
struct IndicatorLine {
    const char* parameter = nullptr;
    IndicatorRect first{};
    int step = 0;
};

// What the inputs table of the I/O status dialog lists, and what the input indicators show.
enum class InputsKind {
    Counters,          // counters with a reset button; indicators are the bits of "r.cn"
    AnalogInputs,      // "Input n"; each indicator shows its row's value
    MeasuringDevices,  // "Measuring device n"; each indicator shows its row's value
};

// The calibration procedure a model opens.
enum class Calibration {
    None,
    AnalogInputs,        // KQ-01, KQ-09
    OutputCoefficients,  // KQ-02, KQ-03
    OffsetAndScale,      // KQ-08, KQ-19
    MutualInductance,    // KQ-13
    StrainGauge,         // KQ-15, KQ-16
    Ph,                  // KQ-20
    EnergyMeter,         // KQ-21 ... KQ-24
};

// A decoding row under the status parameter ("Rd.St", "Stat"): its label and the bit
// of the status value it shows. Without text keys the row shows the bit as "1" or "0".
struct StatusBit {
    const char* labelKey;
    int bit;
    const char* setKey = nullptr;
    const char* clearKey = nullptr;
};

struct ModelFacts {
    IndicatorLine inputs{};
    IndicatorLine outputs{};
    InputsKind inputsKind = InputsKind::Counters;
    int indicatorRowStep = 25;
    const char* statusCommandKey = "ID_STATE_INOUT";  // tooltip of the I/O status command
    Calibration calibration = Calibration::None;
    const char* realFormat = "%.3f";  // the float of a 6-byte reading
    std::span<const StatusBit> statusRows{};
    // Names besides the common ones whose successful write changes the network settings.
    std::array<const char*, 2> networkNames{};
    bool noStatusDialog = false;
    bool hasDataBitsSetting = true;
    bool initAfterWrite = false;    // INIT after a successful write task
    bool defaultsCommand = false;   // the module restores its defaults itself ("S.Def")
    bool reportApplyError = false;  // a failed APLY is reported
    bool readingForms = false;      // "rEAd", "iRDt", "iRD" have their own reply forms
};

const ModelFacts& modelFacts(Model model);

}  // namespace vantor
