#include "models/model_facts.h"

namespace vantor {
namespace {

constexpr StatusBit kKq13Status[] = {
    {"IDS_STRING366", 0, "IDS_STRING374", "IDS_STRING375"}, {"IDS_STRING367", 1, "IDS_STRING376", "IDS_STRING377"},
    {"IDS_STRING368", 2, "IDS_STRING378", "IDS_STRING379"}, {"IDS_STRING369", 3, "IDS_STRING380", "IDS_STRING379"},
    {"IDS_STRING342", 5, "IDS_STRING346", "IDS_STRING347"}, {"IDS_STRING370", 6, "IDS_STRING372", "IDS_STRING373"},
    {"IDS_STRING371", 7, "IDS_STRING350", "IDS_STRING351"},
};

// One strain-gauge input.
constexpr StatusBit kKq15Status[] = {
    {"IDS_STRING342", 0, "IDS_STRING346", "IDS_STRING347"},
    {"IDS_STRING364", 1, "IDS_STRING348", "IDS_STRING349"},
    {"IDS_STRING365", 2, "IDS_STRING350", "IDS_STRING351"},
};

// Four strain-gauge inputs: the sensor bits, then the calibration bits.
constexpr StatusBit kKq16Status[] = {
    {"IDS_STRING342", 0, "IDS_STRING346", "IDS_STRING347"}, {"IDS_STRING356", 1, "IDS_STRING348", "IDS_STRING349"},
    {"IDS_STRING357", 2, "IDS_STRING348", "IDS_STRING349"}, {"IDS_STRING358", 3, "IDS_STRING348", "IDS_STRING349"},
    {"IDS_STRING359", 4, "IDS_STRING348", "IDS_STRING349"}, {"IDS_STRING360", 5, "IDS_STRING350", "IDS_STRING351"},
    {"IDS_STRING361", 6, "IDS_STRING350", "IDS_STRING351"}, {"IDS_STRING362", 7, "IDS_STRING350", "IDS_STRING351"},
    {"IDS_STRING363", 8, "IDS_STRING350", "IDS_STRING351"},
};

constexpr StatusBit kKq20Status[] = {
    {"IDS_STRING342", 0, "IDS_STRING346", "IDS_STRING347"},
    {"IDS_STRING343", 2, "IDS_STRING348", "IDS_STRING349"},
    {"IDS_STRING344", 3, "IDS_STRING350", "IDS_STRING351"},
    {"IDS_STRING345", 5, "IDS_STRING354", "IDS_STRING355"},
};

constexpr StatusBit kKq22Status[] = {
    {"IDS_STRING328", 0}, {"IDS_STRING329", 1}, {"IDS_STRING330", 2}, {"IDS_STRING331", 3},
    {"IDS_STRING332", 4}, {"IDS_STRING333", 5}, {"IDS_STRING334", 6},
};

constexpr IndicatorRect kWide{14, 22, 30, 40};
constexpr IndicatorRect kRight{34, 22, 50, 40};
constexpr IndicatorRect kNarrow{6, 22, 22, 40};
constexpr IndicatorRect kCompact{6, 18, 22, 31};

// KQ-08 and its successor KQ-19.
constexpr ModelFacts kOffsetAndScaleModule{.calibration = Calibration::OffsetAndScale,
                                           .noStatusDialog = true,
                                           .hasDataBitsSetting = false,
                                           .readingForms = true};

constexpr ModelFacts kEnergyMeter{
    .calibration = Calibration::EnergyMeter, .networkNames = {"Rs.dL"}, .noStatusDialog = true};

constexpr std::array<ModelFacts, 23> kFacts = {{
    // KQ-01
    {.inputs = {"rEAd", kWide, 39},
     .inputsKind = InputsKind::AnalogInputs,
     .statusCommandKey = "ID_STATE_INOUT1",
     .calibration = Calibration::AnalogInputs,
     .realFormat = "%.1f",
     .readingForms = true},
    // KQ-02, KQ-03
    {.outputs = {"r.oe", kWide, 39},
     .statusCommandKey = "ID_STATE_INOUT2",
     .calibration = Calibration::OutputCoefficients},
    {.outputs = {"r.oe", kWide, 59},
     .statusCommandKey = "ID_STATE_INOUT2",
     .calibration = Calibration::OutputCoefficients},
    // KQ-04
    {.inputs = {"r.Cou", kWide, 39}, .outputs = {"r.oe", kRight, 61}},
    // KQ-05, KQ-06
    {.inputs = {"r.Cou", {10, 22, 26, 40}, 18}, .statusCommandKey = "ID_STATE_INOUT1"},
    {.outputs = {"r.oe", kWide, 39}, .statusCommandKey = "ID_STATE_INOUT2"},
    // KQ-07
    {.noStatusDialog = true},
    // KQ-08
    kOffsetAndScaleModule,
    // KQ-09
    {.inputs = {"rEAd", {34, 32, 60, 60}, 70},
     .inputsKind = InputsKind::MeasuringDevices,
     .calibration = Calibration::AnalogInputs,
     .noStatusDialog = true,
     .readingForms = true},
    // KQ-10, KQ-11
    {.outputs = {"r.oe", kNarrow, 19}, .statusCommandKey = "ID_STATE_INOUT2"},
    {.inputs = {"r.Cou", kWide, 39}, .statusCommandKey = "ID_STATE_INOUT1"},
    // KQ-12
    {.inputs = {"r.Cou", kRight, 61}, .outputs = {"r.oe", kRight, 61}},
    // KQ-13
    {.calibration = Calibration::MutualInductance,
     .statusRows = kKq13Status,
     .noStatusDialog = true,
     .initAfterWrite = true,
     .defaultsCommand = true,
     .readingForms = true},
    // KQ-15, KQ-16: one class, one and four inputs
    {.calibration = Calibration::StrainGauge,
     .statusRows = kKq15Status,
     .networkNames = {"Rs.dL"},
     .noStatusDialog = true,
     .defaultsCommand = true},
    {.calibration = Calibration::StrainGauge,
     .statusRows = kKq16Status,
     .networkNames = {"Rs.dL"},
     .noStatusDialog = true,
     .defaultsCommand = true},
    // KQ-17, KQ-18
    {.outputs = {"r.oe", kCompact, 19}, .indicatorRowStep = 14, .statusCommandKey = "ID_STATE_INOUT2"},
    {.inputs = {"r.Cou", kCompact, 19}, .indicatorRowStep = 14, .statusCommandKey = "ID_STATE_INOUT1"},
    // KQ-19
    kOffsetAndScaleModule,
    // KQ-20
    {.calibration = Calibration::Ph,
     .statusRows = kKq20Status,
     .networkNames = {"Rs.dL"},
     .noStatusDialog = true,
     .hasDataBitsSetting = false,
     .initAfterWrite = true,
     .defaultsCommand = true},
    // KQ-21
    kEnergyMeter,
    // KQ-22
    {.calibration = Calibration::EnergyMeter,
     .statusRows = kKq22Status,
     .networkNames = {"Rs.dL", "T.pro"},
     .noStatusDialog = true,
     .reportApplyError = true},
    // KQ-23, KQ-24
    kEnergyMeter,
    kEnergyMeter,
}};

}  // namespace

const ModelFacts& modelFacts(Model model) { return kFacts.at(static_cast<std::size_t>(model)); }

}  // namespace vantor
