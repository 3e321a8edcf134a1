#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "model_fixture.h"
#include "models/device_energy.h"
#include "text/texts.h"

namespace vantor::test {
namespace {

CDeviceEnergy& meter(LoadedModel& loaded) {
    auto* energy = dynamic_cast<CDeviceEnergy*>(loaded.device.get());
    if (!energy) throw std::logic_error("not a meter");
    return *energy;
}

TEST(ApplyParameter, MetersSend129AsAnIntegerOnEveryCall) {
    for (const Model model : {Model::KQ21, Model::KQ22, Model::KQ23, Model::KQ24}) {
        LoadedModel loaded(model, false);
        SCOPED_TRACE(loaded.device->DisplayName());
        Parameter& apply = loaded.device->GetApplyParameter();
        EXPECT_EQ(apply.name, "APLY");
        EXPECT_EQ(apply.type, "int");
        EXPECT_EQ(apply.valueText, "129");
        apply.valueText = "7";  // another part changed it
        Parameter& again = loaded.device->GetApplyParameter();
        EXPECT_EQ(&again, &apply);
        EXPECT_EQ(again.valueText, "129");
        Bytes data;
        EXPECT_EQ(again.ConvertToData(again.valueText, data), kConvertOk);
        EXPECT_EQ(data, (Bytes{129}));
    }
}

TEST(ApplyParameter, OtherModelsSendAnEmptyCommand) {
    for (const Model model : {Model::KQ01, Model::KQ13, Model::KQ15, Model::KQ20}) {
        LoadedModel loaded(model, false);
        Parameter& apply = loaded.device->GetApplyParameter();
        EXPECT_EQ(apply.name, "APLY");
        EXPECT_EQ(apply.valueText, "");
        Bytes data{1};
        EXPECT_EQ(apply.ConvertToData(apply.valueText, data), kConvertOk);
        EXPECT_TRUE(data.empty());
        EXPECT_EQ(&loaded.device->GetApplyParameter(), &apply);
    }
}

TEST(MeterCalibration, StepTextsByMeter) {
    struct Case {
        Model model;
        std::vector<std::string> keys;  // steps 1, 2, ...
    };
    const Case cases[] = {
        {Model::KQ21, {"IDS_STRING339", "IDS_STRING340", "IDS_STRING341"}},
        {Model::KQ23, {"IDS_STRING325", "IDS_STRING326", "IDS_STRING327"}},
        {Model::KQ24, {"IDS_STRING322", "IDS_STRING323", "IDS_STRING324"}},
    };
    for (const Case& c : cases) {
        LoadedModel loaded(c.model, false);
        SCOPED_TRACE(loaded.device->DisplayName());
        CDeviceEnergy& m = meter(loaded);
        for (std::size_t step = 1; step <= c.keys.size(); ++step)
            EXPECT_EQ(m.CalibrationStepText(static_cast<int>(step)), Text(c.keys[step - 1])) << step;
        EXPECT_EQ(m.CalibrationStepText(0), std::nullopt);
        EXPECT_EQ(m.CalibrationStepText(static_cast<int>(c.keys.size()) + 1), std::nullopt);
        EXPECT_TRUE(loaded.module.calls.empty());
    }
    LoadedModel kq24(Model::KQ24, false);
    EXPECT_EQ(meter(kq24).CalibrationStepText(1),
              "To start the calibration:\r\n\r\n1. Set input signal I=5 A\r\n2. Click 'Next' to continue");
}

// KQ-22 shows the calibration signals set in its tree, reading those still without data.
TEST(MeterCalibration, Kq22StepsShowTheCalibrationSignals) {
    LoadedModel loaded(Model::KQ22);
    ASSERT_NE(loaded.description.rootBranch, nullptr);
    CDeviceEnergy& m = meter(loaded);
    loaded.module.readValues = {{"uk.hi", "230.0"}, {"ik.hi", "5.000"}, {"uk.lo", "23.0"}};
    Parameter* ikLo = loaded.description.rootBranch->FindParameters("ik.lo", nullptr, nullptr, nullptr, 0);
    ASSERT_NE(ikLo, nullptr);
    ikLo->SetValueText("0.250");  // already read

    EXPECT_EQ(m.CalibrationStepText(1),
              "To start the calibration:\r\n\r\n1. Set input signal U= 230.0 V, I=5.000 A, "
              "cos(phi)=1\r\n2. Click 'Next' to continue");
    EXPECT_EQ(loaded.module.calls, (Lines{"read uk.hi", "read ik.hi"}));
    EXPECT_EQ(m.CalibrationStepText(2),
              "1. Set input signal U= 23.0 V, I= 0.250 A, cos(phi)= 1\r\n2. Click 'Next' to continue");
    EXPECT_EQ(m.CalibrationStepText(3),
              "1. Set input signal U= 230.0 V, I= 5.000 A, cos(phi)= 0.5\r\n2. Click 'Next' to continue");
    EXPECT_EQ(m.CalibrationStepText(4), Text("IDS_STRING338"));
    EXPECT_EQ(m.CalibrationStepText(5), std::nullopt);
    // Only the values without data were read, each once.
    EXPECT_EQ(loaded.module.calls, (Lines{"read uk.hi", "read ik.hi", "read uk.lo"}));
}

TEST(MeterCalibration, ModeValueAndTheBitThatEndsEachStep) {
    struct Case {
        Model model;
        int modeValue;
        std::uint32_t value;
        int kind;
        bool done;
    };
    const Case cases[] = {
        {Model::KQ21, 256, 0x02, 1, true},  {Model::KQ21, 256, 0x04, 2, true},  {Model::KQ21, 256, 0x10, 3, true},
        {Model::KQ21, 256, 0x08, 3, false}, {Model::KQ21, 256, 0xFF, 4, false}, {Model::KQ21, 256, 0x00, 3, false},
        {Model::KQ22, 256, 0x02, 1, true},  {Model::KQ22, 256, 0x04, 2, true},  {Model::KQ22, 256, 0x40, 3, true},
        {Model::KQ22, 256, 0x80, 4, true},  {Model::KQ22, 256, 0x7F, 4, false}, {Model::KQ22, 256, 0xFD, 1, false},
        {Model::KQ23, 16, 0x08, 1, true},   {Model::KQ23, 16, 0x04, 2, true},   {Model::KQ23, 16, 0x02, 3, true},
        {Model::KQ23, 16, 0x00, 3, true},   {Model::KQ23, 16, 0x01, 3, false},  {Model::KQ23, 16, 0x00, 1, false},
        {Model::KQ24, 16, 0x08, 1, true},   {Model::KQ24, 16, 0x00, 3, true},   {Model::KQ24, 16, 0xF7, 1, false},
        {Model::KQ24, 16, 0xFF, 0, false},  {Model::KQ24, 16, 0xFF, 5, false},
    };
    for (const Case& c : cases) {
        LoadedModel loaded(c.model, false);
        SCOPED_TRACE(loaded.device->DisplayName() + " kind " + std::to_string(c.kind) + " value " +
                     std::to_string(c.value));
        EXPECT_EQ(meter(loaded).CalibrationModeValue(), c.modeValue);
        EXPECT_EQ(meter(loaded).CalibrationFlagBit(c.value, c.kind), c.done);
    }
}

}  // namespace
}  // namespace vantor::test
