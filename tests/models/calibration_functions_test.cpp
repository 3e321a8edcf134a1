#include "models/calibration_functions.h"

#include <gtest/gtest.h>

#include "params/parameter.h"
#include "text/texts.h"

namespace vantor {
namespace {

using Types = std::vector<std::optional<std::string>>;

TEST(CalibrationFunctions, StatusTextsCoverTheTableAndTheGaps) {
    struct Case {
        int status;
        const char* text;
    };
    const Case cases[] = {
        {0, "Process completed\r\n"},
        {10, "Type of calibration does not match the selected type of sensor"},
        {15, "Error occurred while saving the calibration coefficients\r\n"},
        {16, "Unknown status error code\r\n"},
        {32, "Calibration coefficients are not calculated\r\n"},
        {35, "Unknown status error code\r\n"},
        {36, "At most 4 coefficients could be calculated\r\n"},
        {255, "Unknown status error code\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(CalibrationStatusText(c.status), c.text) << c.status;
}

TEST(CalibrationFunctions, StateIsReadAtItsOffsetAndAShortReplyHasNone) {
    const auto state = DecodeCalibrationState({0x07, 0x80, 0x04}, 1);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->flags, 0x80);
    EXPECT_EQ(state->status, 4);
    EXPECT_TRUE(state->failed());
    EXPECT_FALSE(DecodeCalibrationState({0x80}));
    EXPECT_FALSE(DecodeCalibrationState({0x01, 0x80}, 1));
    EXPECT_FALSE(DecodeCalibrationState({0x80, 0x00})->failed());
}

TEST(CalibrationFunctions, CoefficientRepliesOfTwoOrFiveBytes) {
    CoefficientRecord record;
    ASSERT_TRUE(DecodeCoefficient({0x01, 0x3F, 0x80, 0x00, 0x00}, record));
    EXPECT_TRUE(record.valuePresent);
    EXPECT_EQ(record.firstByte, 0x01);
    EXPECT_EQ(record.value(), 1.0F);
    EXPECT_EQ(CoefficientReportText(4, {record.value()}), "Coefficient value: 1.000000 Click 'Next' to continue\n");

    // No value: what the record held stays.
    ASSERT_TRUE(DecodeCoefficient({0x02, 0x00}, record));
    EXPECT_FALSE(record.valuePresent);
    EXPECT_EQ(record.firstByte, 0x02);
    EXPECT_EQ(record.value(), 1.0F);

    ASSERT_TRUE(DecodeCoefficient({0x00, 0xC0, 0x20, 0x00, 0x00}, record));
    EXPECT_EQ(record.value(), -2.5F);
    for (const Bytes& wrong : {Bytes{}, Bytes{1}, Bytes{1, 2, 3}, Bytes{1, 2, 3, 4, 5, 6}}) {
        EXPECT_FALSE(DecodeCoefficient(wrong, record)) << wrong.size();
        EXPECT_EQ(record.value(), -2.5F);
    }
}

TEST(CalibrationFunctions, StartDataNamesTheTypeAndForValvesThePositionAndChannel) {
    EXPECT_EQ(CalibrationStartData(1, ValvePosition::Close, 5), (Bytes{1}));
    EXPECT_EQ(CalibrationStartData(3, ValvePosition::Open, 0), (Bytes{3}));
    EXPECT_EQ(CalibrationStartData(4, ValvePosition::Close, 2), (Bytes{2, 4}));
    EXPECT_EQ(CalibrationStartData(4, ValvePosition::Open, 2), (Bytes{130, 4}));
    EXPECT_EQ(InputTypeData(26, 2), (Bytes{26, 0, 2}));
}

TEST(CalibrationFunctions, TheTypesAndTheirSensorLists) {
    ASSERT_EQ(inputCalibrationTypes().size(), 4u);
    struct Case {
        int type;
        std::size_t sensors;
        bool channel;
        const char* firstSensor;
        int firstCode;
        const char* lastSensor;
        int lastCode;
    };
    const Case cases[] = {
        {1, 36, false, "RTD Cu50", 2, "RTD Ni1000 (GOST)", 40},
        {2, 11, false, "TC Type L", 5, "TC Type N", 20},
        {4, 4, true, "0-900 ohm position transmitter", 26, "0-5 mA position transmitter", 28},
    };
    for (const Case& c : cases) {
        const InputCalibrationType* type = inputCalibrationType(c.type);
        ASSERT_TRUE(type);
        ASSERT_EQ(type->sensors.size(), c.sensors) << c.type;
        EXPECT_EQ(type->needsChannel, c.channel);
        EXPECT_EQ(Text(type->sensors.front().textKey), c.firstSensor);
        EXPECT_EQ(type->sensors.front().code, c.firstCode);
        EXPECT_EQ(Text(type->sensors.back().textKey), c.lastSensor);
        EXPECT_EQ(type->sensors.back().code, c.lastCode);
    }
    EXPECT_TRUE(inputCalibrationType(3)->sensors.empty());
    EXPECT_EQ(Text(inputCalibrationType(4)->sensors[1].textKey), "0-2000 ohm position transmitter");
    EXPECT_EQ(inputCalibrationType(4)->sensors[1].code, 41);
    EXPECT_FALSE(inputCalibrationType(0));
    EXPECT_FALSE(inputCalibrationType(5));
    // Every sensor of type 1 has a text of its own to start with.
    for (const Sensor& sensor : inputCalibrationType(1)->sensors)
        EXPECT_NE(SensorInstructionText(sensor.code).find("To  adjust the characteristic curve for "),
                  std::string::npos)
            << sensor.code;
}

TEST(CalibrationFunctions, TheInstructionTextFollowsTheSensorCode) {
    struct Case {
        int code;
        const char* key;
    };
    const Case cases[] = {
        {2, "IDS_STRING446"},  {16, "IDS_STRING447"}, {30, "IDS_STRING448"}, {7, "IDS_STRING508"},
        {25, "IDS_STRING720"}, {17, "IDS_STRING721"}, {12, "IDS_STRING722"}, {13, "IDS_STRING723"},
        {14, "IDS_STRING724"}, {35, "IDS_STRING725"}, {36, "IDS_STRING726"},
    };
    for (const Case& c : cases) EXPECT_EQ(SensorInstructionText(c.code), Text(c.key)) << c.code;
}

TEST(CalibrationFunctions, EveryFourthWrongCodeInARowCloses) {
    ASSERT_EQ(CheckAccessCode(1, InputCalibrationAccessCode(1)), AccessVerdict::Granted);  // the count starts at 0
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CheckAccessCode(1, 0), AccessVerdict::Refused) << i;
    EXPECT_EQ(CheckAccessCode(1, 0), AccessVerdict::RefusedAndClose);
    EXPECT_EQ(CheckAccessCode(2, InputCalibrationAccessCode(1)), AccessVerdict::Refused);  // another type's code
    for (int i = 0; i < 2; ++i) EXPECT_EQ(CheckAccessCode(2, 0), AccessVerdict::Refused);
    EXPECT_EQ(CheckAccessCode(2, 0), AccessVerdict::RefusedAndClose);
    EXPECT_EQ(CheckAccessCode(4, InputCalibrationAccessCode(4)), AccessVerdict::Granted);
    EXPECT_EQ(CheckAccessCode(4, 1000), AccessVerdict::Refused);
    EXPECT_EQ(CheckAccessCode(3, InputCalibrationAccessCode(3)), AccessVerdict::Granted);
    EXPECT_NE(InputCalibrationAccessCode(1), InputCalibrationAccessCode(2));
}

TEST(CalibrationFunctions, CoefficientTextsOfEachType) {
    EXPECT_EQ(CoefficientReportText(1, {0.5F}),
              "Coefficient value: 0.500000\n\nCalibration completed\n\nClick 'Next' to continue");
    EXPECT_EQ(CoefficientReportText(2, {1.0F, -2.0F}),
              "1st coefficient: 1.000000 \n 2nd coefficient: -2.000000\n\nCalibration completed\n\nClick 'Next' to "
              "continue");
    EXPECT_EQ(CoefficientReportText(3, {1.0F, 2.0F, 3.0F, 4.0F}),
              "1st coefficient:\r\n  K1= 1.000000\n\r\n 2nd coefficient:\r\n  K2= 2.000000\n\r\n 3rd "
              "coefficient:\r\n  K3= 3.000000\n\r\n 4th coefficient:\r\n  K4= 4.000000\n\nCalibration "
              "completed\n\nClick 'Next' to continue");
    EXPECT_EQ(CoefficientCount(1), 1);
    EXPECT_EQ(CoefficientCount(2), 2);
    EXPECT_EQ(CoefficientCount(3), 4);
    EXPECT_EQ(CoefficientCount(4), 1);
    EXPECT_EQ(CoefficientReadLabel(3), "(Type 3. Coefficient calculation)");

    EXPECT_EQ(InvalidCoefficientText(1, 1.5F),
              "Invalid coefficient value 1.500000 \r\nClick 'Next' to continue\n\nCalibration coefficient does not "
              "meet the requirementsMeasure the signal at the Input 1 and check the correct connection of a signal "
              "source, then repeat the calibration");
    EXPECT_NE(InvalidCoefficientText(2, 1.5F).find("Possible reasons:"), std::string::npos);
}

TEST(CalibrationFunctions, TheMessagesAroundTheRunFollowModelAndType) {
    EXPECT_EQ(BeforeCalibrationText(Model::KQ01), "For calibration click 'OK'");
    EXPECT_EQ(BeforeCalibrationText(Model::KQ09).rfind("To store the calibration coefficients", 0), 0u);
    EXPECT_EQ(AfterCalibrationText(Model::KQ01, 2, "KQ-01"), "Switch off the power of the module for a few seconds");
    EXPECT_EQ(AfterCalibrationText(Model::KQ01, 4, "KQ-01"), AfterCalibrationText(Model::KQ01, 2, "KQ-01"));
    EXPECT_EQ(
        AfterCalibrationText(Model::KQ01, 3, "KQ-01").rfind("Switch off the power of the device KQ-01 and wait", 0),
        0u);
    EXPECT_EQ(AfterCalibrationText(Model::KQ09, 1, "KQ-09").rfind("Set the switch '3' under module front panel", 0),
              0u);
}

TEST(CalibrationFunctions, OutputCoefficientsSortedWithDigitalOutputsLeftOut) {
    const Types types = {"4-20 mA", std::nullopt, "DIGITAL", "no data", "0-5 mA", "digital"};
    EXPECT_EQ(OutputCoefficientList(types), (std::vector<OutputCoefficient>{
                                                {"K20 output 1", 1},
                                                {"K20 output 4", 7},
                                                {"K20 output 5", 9},
                                                {"K4  output 1", 0},
                                                {"K4  output 4", 6},
                                                {"K4  output 5", 8},
                                            }));
    EXPECT_EQ(OutputCoefficientList(Types(6, "4-20 mA")).size(), 12u);
    EXPECT_EQ(CalibratedOutputCount(Model::KQ02), 8);
    EXPECT_EQ(CalibratedOutputCount(Model::KQ03), 6);
}

TEST(CalibrationFunctions, SteppedCoefficientsStayWithinTheDacRange) {
    struct Case {
        int value;
        int amount;
        std::optional<int> result;
    };
    const Case cases[] = {
        {4090, 10, std::nullopt}, {4090, 5, 4095}, {1, -2, std::nullopt}, {2, -2, 0}, {100, -10, 90},
    };
    for (const Case& c : cases) EXPECT_EQ(SteppedCoefficient(c.value, c.amount), c.result) << c.value << c.amount;
}

TEST(CalibrationFunctions, TheTemporaryRecords) {
    Parameter coefficient;
    MakeOutputCoefficientParameter(coefficient, 5);
    EXPECT_EQ(coefficient.name, "CLB.K");
    EXPECT_EQ(coefficient.type, "int");
    EXPECT_TRUE(coefficient.indexed);
    EXPECT_TRUE(coefficient.hasAttributes);
    EXPECT_EQ(coefficient.dataIndex, 5);

    Parameter drive;
    MakeDriveOutputParameter(drive, 11);
    EXPECT_EQ(drive.name, "CLB.I");
    EXPECT_EQ(drive.valueText, "11");
    EXPECT_FALSE(drive.indexed);

    Parameter leave;
    MakeLeaveCalibrationParameter(leave);
    EXPECT_EQ(leave.name, "CLB.A");
    EXPECT_EQ(leave.type, "void");
    EXPECT_EQ(leave.valueText, "");
}

}  // namespace
}  // namespace vantor
