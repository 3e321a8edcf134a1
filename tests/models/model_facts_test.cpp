#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "description/catalogue.h"
#include "model_fixture.h"
#include "models/device_energy.h"
#include "models/kq08.h"
#include "models/kq12.h"
#include "models/kq15.h"
#include "text/texts.h"

namespace vantor::test {
namespace {

std::string classOf(const CBaseDevice& device) {
    if (dynamic_cast<const CKQ19*>(&device)) return "CKQ19";
    if (dynamic_cast<const CKQ08*>(&device)) return "CKQ08";
    if (dynamic_cast<const CKQ12*>(&device)) return "CKQ12";
    if (dynamic_cast<const CKQ15*>(&device)) return "CKQ15";
    if (dynamic_cast<const CDeviceEnergy*>(&device)) return "meter";
    return "base";
}

struct Line {
    const char* name = nullptr;
    IndicatorRect first{};
    int step = 0;
};

struct Expected {
    Model model;
    const char* displayName;
    const char* kind;
    Line inputs;
    Line outputs;
    int rowStep;
    const char* statusKey;
    bool calibration;
    bool noStatusDialog;
    bool dataBits;
    bool initAfterWrite;
    bool applyError;
};

constexpr IndicatorRect kA{14, 22, 30, 40};
constexpr const char* kIo = "ID_STATE_INOUT";
constexpr const char* kIn = "ID_STATE_INOUT1";
constexpr const char* kOut = "ID_STATE_INOUT2";

// model, name, class, inputs, outputs, row step, tooltip key, calibration, no status
// dialog, data bits setting, INIT after write, report APLY error
const Expected kModels[] = {
    {Model::KQ01, "KQ-01", "base", {"rEAd", kA, 39}, {}, 25, kIn, true, false, true, false, false},
    {Model::KQ02, "KQ-02", "base", {}, {"r.oe", kA, 39}, 25, kOut, true, false, true, false, false},
    {Model::KQ03, "KQ-03", "base", {}, {"r.oe", kA, 59}, 25, kOut, true, false, true, false, false},
    {Model::KQ04,
     "KQ-04",
     "base",
     {"r.Cou", kA, 39},
     {"r.oe", {34, 22, 50, 40}, 61},
     25,
     kIo,
     false,
     false,
     true,
     false,
     false},
    {Model::KQ05, "KQ-05", "base", {"r.Cou", {10, 22, 26, 40}, 18}, {}, 25, kIn, false, false, true, false, false},
    {Model::KQ06, "KQ-06", "base", {}, {"r.oe", kA, 39}, 25, kOut, false, false, true, false, false},
    {Model::KQ07, "KQ-07", "base", {}, {}, 25, kIo, false, true, true, false, false},
    {Model::KQ08, "KQ-08", "CKQ08", {}, {}, 25, kIo, true, true, false, false, false},
    {Model::KQ09, "KQ-09", "base", {"rEAd", {34, 32, 60, 60}, 70}, {}, 25, kIo, true, true, true, false, false},
    {Model::KQ10, "KQ-10", "base", {}, {"r.oe", {6, 22, 22, 40}, 19}, 25, kOut, false, false, true, false, false},
    {Model::KQ11, "KQ-11", "base", {"r.Cou", kA, 39}, {}, 25, kIn, false, false, true, false, false},
    {Model::KQ12,
     "KQ-12",
     "CKQ12",
     {"r.Cou", {34, 22, 50, 40}, 61},
     {"r.oe", {34, 22, 50, 40}, 61},
     25,
     kIo,
     false,
     false,
     true,
     false,
     false},
    {Model::KQ13, "KQ-13", "base", {}, {}, 25, kIo, true, true, true, true, false},
    {Model::KQ15, "KQ-15", "CKQ15", {}, {}, 25, kIo, true, true, true, false, false},
    {Model::KQ16, "KQ-16", "CKQ15", {}, {}, 25, kIo, true, true, true, false, false},
    {Model::KQ17, "KQ-17", "base", {}, {"r.oe", {6, 18, 22, 31}, 19}, 14, kOut, false, false, true, false, false},
    {Model::KQ18, "KQ-18", "base", {"r.Cou", {6, 18, 22, 31}, 19}, {}, 14, kIn, false, false, true, false, false},
    {Model::KQ19, "KQ-19", "CKQ19", {}, {}, 25, kIo, true, true, false, false, false},
    {Model::KQ20, "KQ-20", "base", {}, {}, 25, kIo, true, true, false, true, false},
    {Model::KQ21, "KQ-21", "meter", {}, {}, 25, kIo, true, true, true, false, false},
    {Model::KQ22, "KQ-22", "meter", {}, {}, 25, kIo, true, true, true, false, true},
    {Model::KQ23, "KQ-23", "meter", {}, {}, 25, kIo, true, true, true, false, false},
    {Model::KQ24, "KQ-24", "meter", {}, {}, 25, kIo, true, true, true, false, false},
};

void expectLine(const Line& expected, bool has, const std::string& name, std::optional<IndicatorRect> first, int step) {
    EXPECT_EQ(has, expected.name != nullptr);
    EXPECT_EQ(name, expected.name ? expected.name : "");
    EXPECT_EQ(first, expected.name ? std::optional(expected.first) : std::nullopt);
    EXPECT_EQ(step, expected.step);
}

TEST(ModelFacts, EveryModelAnswersAsItsRowOfTheTable) {
    static_assert(std::size(kModels) == kModelCount);
    for (const Expected& e : kModels) {
        LoadedModel loaded(e.model, false);
        ASSERT_NE(loaded.device, nullptr);
        const CBaseDevice& d = *loaded.device;
        SCOPED_TRACE(e.displayName);
        EXPECT_EQ(d.model(), e.model);
        EXPECT_EQ(d.DisplayName(), e.displayName);
        EXPECT_EQ(classOf(d), e.kind);
        expectLine(e.inputs, d.HasInputs(), d.InputParameterName(), d.InputIndicatorRect(), d.InputIndicatorStep());
        expectLine(e.outputs, d.HasOutputs(), d.OutputParameterName(), d.OutputIndicatorRect(),
                   d.OutputIndicatorStep());
        EXPECT_EQ(d.IndicatorRowStep(), e.rowStep);
        EXPECT_EQ(d.StatusCommandText(), Text(e.statusKey));
        EXPECT_EQ(d.HasCalibration(), e.calibration);
        EXPECT_EQ(d.HasCalibration(), d.facts().calibration != Calibration::None);
        // The calibration command runs the model's procedure, and nothing without one.
        loaded.device->RunCalibration();
        EXPECT_EQ(
            loaded.document.events,
            e.calibration ? Lines{"calibration " + std::to_string(static_cast<int>(d.facts().calibration))} : Lines{});
        EXPECT_EQ(d.NoStatusDialog(), e.noStatusDialog);
        EXPECT_EQ(d.HasDataBitsSetting(), e.dataBits);
        EXPECT_EQ(d.InitAfterWrite(), e.initAfterWrite);
        EXPECT_EQ(d.ReportApplyError(), e.applyError);
    }
}

TEST(ModelFacts, TheThreeTooltipsAreDifferentTexts) {
    const std::set<std::string> texts = {Text(kIo), Text(kIn), Text(kOut)};
    EXPECT_EQ(texts.size(), 3u);
    EXPECT_EQ(Text(kIn), "Show the state of the device inputs\r\nInput status");
}

TEST(ModelFacts, NetworkSettingNamesAreTheCommonSixPlusTheModelsOwn) {
    const std::set<Model> responseDelay = {Model::KQ15, Model::KQ16, Model::KQ20, Model::KQ21,
                                           Model::KQ22, Model::KQ23, Model::KQ24};
    for (int index = 0; index < kModelCount; ++index) {
        const auto model = static_cast<Model>(index);
        LoadedModel loaded(model, false);
        const CBaseDevice& d = *loaded.device;
        SCOPED_TRACE(d.DisplayName());
        for (const char* name : {"bPS", "LEn", "PrtY", "Sbit", "A.Len", "Addr", "bps", "ADDR", "a.len"})
            EXPECT_TRUE(d.IsNetworkSettingName(name)) << name;
        for (const char* name : {"CHAr*", "Prot", "Addr ", "", "Log"})
            EXPECT_FALSE(d.IsNetworkSettingName(name)) << name;
        EXPECT_EQ(d.IsNetworkSettingName("Rs.dL"), responseDelay.count(model) == 1);
        EXPECT_EQ(d.IsNetworkSettingName("RS.DL"), responseDelay.count(model) == 1);
        EXPECT_EQ(d.IsNetworkSettingName("T.pro"), model == Model::KQ22);
    }
}

TEST(ModelFacts, ReadingFormsAndRealFormatGoToTheCodec) {
    for (int index = 0; index < kModelCount; ++index) {
        LoadedModel loaded(static_cast<Model>(index), false);
        SCOPED_TRACE(loaded.device->DisplayName());
        const CodecContext context = ModelCodecContext(loaded.device.get());
        // The virtual module decides the reading forms by the same models.
        EXPECT_EQ(context.readingForms, modelHasReadingForms(index));
        ASSERT_TRUE(context.formatReal);
        const std::string expected = index == static_cast<int>(Model::KQ01) ? "-2.5" : "-2.456";
        EXPECT_EQ(context.formatReal(-2.4564), expected);
        EXPECT_EQ(loaded.device->FormatRealValue(-2.4564), expected);
    }
    EXPECT_FALSE(ModelCodecContext(nullptr).readingForms);
    EXPECT_FALSE(ModelCodecContext(nullptr).formatReal);
}

TEST(ModelFacts, TheCodecContextOutlivesTheModel) {
    CodecContext context;
    {
        LoadedModel loaded(Model::KQ01, false);
        context = loaded.device->codecContext();
    }
    EXPECT_EQ(context.formatReal(12.25), "12.2");
}

TEST(ModelFacts, CreateDeviceModelKnowsOnlyTheCatalogueIndexes) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    RecordingModule module;
    RecordingDocument document(description, module, ui);
    EXPECT_EQ(CreateDeviceModel(-1, document), nullptr);
    EXPECT_EQ(CreateDeviceModel(kModelCount, document), nullptr);
    for (int index = 0; index < kModelCount; ++index) {
        const auto device = CreateDeviceModel(index, document);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(device->DisplayName(), modelDisplayName(index));
    }
}

// Every text the models show comes from the keyed table, none is missing.
TEST(ModelFacts, EveryKeyTheModelsUseHasItsText) {
    for (int index = 0; index < kModelCount; ++index) {
        LoadedModel loaded(static_cast<Model>(index), false);
        const CBaseDevice& d = *loaded.device;
        SCOPED_TRACE(d.DisplayName());
        EXPECT_NE(d.StatusCommandText(), "");
        for (int row = 0; row < static_cast<int>(d.facts().statusRows.size()); ++row) {
            EXPECT_NE(d.StatusRowLabel(row), "") << row;
            EXPECT_NE(d.StatusBitText(row, 0), "") << row;
            EXPECT_NE(d.StatusBitText(row, ~0u), "") << row;
        }
        for (const auto& title : d.FillInputsTable().columns) EXPECT_NE(title, "");
        for (const auto& title : d.FillOutputsTable().columns) EXPECT_NE(title, "");
    }
}

}  // namespace
}  // namespace vantor::test
