#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "model_fixture.h"
#include "text/texts.h"

namespace vantor::test {
namespace {

using ::testing::ElementsAre;
using States = std::vector<std::optional<std::string>>;

// A row as "text|text|..." with "[button]" after a button cell and "*" after an editable one.
std::string rowText(const std::vector<IoCell>& row) {
    std::string text;
    for (const IoCell& cell : row) {
        if (!text.empty()) text += '|';
        text += cell.text + (cell.button ? "[button]" : "") + (cell.readOnly ? "" : "*");
    }
    return text;
}

Lines rowTexts(const IoTable& table) {
    Lines rows;
    for (const auto& row : table.rows) rows.push_back(rowText(row));
    return rows;
}

TEST(IoTables, CountersWithTheirResetButtons) {
    LoadedModel loaded(Model::KQ04);
    ASSERT_NE(loaded.description.scannersBranch, nullptr);
    Parameter* third = loaded.description.scannersBranch->FindParameters("r.Cou", nullptr, nullptr, nullptr, 2);
    ASSERT_NE(third, nullptr);
    third->SetValueText("17");

    const IoTable table = loaded.device->FillInputsTable();
    EXPECT_THAT(table.columns, ElementsAre("Value", "Counters", "Reset"));
    EXPECT_THAT(rowTexts(table), ElementsAre("0|Counter 1|Reset[button]", "0|Counter 2|Reset[button]",
                                             "17|Counter 3|Reset[button]", "0|Counter 4|Reset[button]"));
    for (const IoCell& cell : table.rows[2]) EXPECT_EQ(cell.parameter, third);
}

TEST(IoTables, AnalogInputsAndMeasuringDevicesHaveNoButtons) {
    LoadedModel kq01(Model::KQ01);
    const IoTable inputs = kq01.device->FillInputsTable();
    EXPECT_THAT(inputs.columns, ElementsAre("Value", "Inputs"));
    ASSERT_EQ(inputs.rows.size(), 8u);
    EXPECT_EQ(rowText(inputs.rows[0]), "0|Input 1");
    EXPECT_EQ(rowText(inputs.rows[7]), "0|Input 8");
    EXPECT_EQ(inputs.rows[7][0].parameter->name, "rEAd");

    LoadedModel kq09(Model::KQ09);
    const IoTable devices = kq09.device->FillInputsTable();
    EXPECT_THAT(devices.columns, ElementsAre("Value", "Counters"));
    ASSERT_EQ(devices.rows.size(), 8u);
    EXPECT_EQ(rowText(devices.rows[3]), "0|Measuring device 4");
}

TEST(IoTables, OutputsAreEditedInTheValueCell) {
    LoadedModel loaded(Model::KQ04);
    const IoTable table = loaded.device->FillOutputsTable();
    EXPECT_THAT(table.columns, ElementsAre("Value", "Outputs"));
    ASSERT_EQ(table.rows.size(), 4u);
    const Parameter* first = table.rows[0][0].parameter;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name, "r.oe");
    EXPECT_EQ(rowText(table.rows[0]), "0*|" + first->description);
    EXPECT_FALSE(first->description.empty());
}

TEST(IoTables, AModelWithoutALineListsNoRows) {
    LoadedModel loaded(Model::KQ02);
    EXPECT_EQ(loaded.device->FillInputsTable().columns.size(), 3u);
    EXPECT_TRUE(loaded.device->FillInputsTable().rows.empty());
    EXPECT_EQ(loaded.device->FillOutputsTable().rows.size(), 8u);
    LoadedModel none(Model::KQ04, false);  // no trees at all
    EXPECT_TRUE(none.device->FillInputsTable().rows.empty());
    EXPECT_TRUE(none.device->UpdateInputIndicators({}, 4).empty());
}

TEST(InputIndicators, CounterModulesShowTheBitsOfTheInputStates) {
    LoadedModel loaded(Model::KQ04);
    const IoTable inputs = loaded.device->FillInputsTable();
    loaded.module.readValues["r.cn"] = "5";
    EXPECT_EQ(loaded.device->UpdateInputIndicators(inputs, 4), (States{"1", "0", "1", "0"}));
    EXPECT_EQ(loaded.module.calls, (Lines{"read r.cn"}));

    loaded.module.readValues["r.cn"] = "12";
    EXPECT_EQ(loaded.device->UpdateInputIndicators(inputs, 5), (States{"0", "0", "1", "1", "0"}));
}

TEST(InputIndicators, AnUnreadableStateChangesNoIndicator) {
    for (const char* value : {"no data", "", "-3", "x1"}) {
        LoadedModel loaded(Model::KQ04);
        loaded.module.readValues["r.cn"] = value;
        EXPECT_TRUE(loaded.device->UpdateInputIndicators(loaded.device->FillInputsTable(), 4).empty()) << value;
    }
    LoadedModel outputsOnly(Model::KQ02);
    EXPECT_TRUE(outputsOnly.device->UpdateInputIndicators({}, 4).empty());
    EXPECT_TRUE(outputsOnly.module.calls.empty());
}

TEST(InputIndicators, AnalogModulesShowEachRowsReadingUnlessItIsBeingEdited) {
    for (const Model model : {Model::KQ01, Model::KQ09}) {
        LoadedModel loaded(model);
        const IoTable inputs = loaded.device->FillInputsTable();
        ASSERT_GE(inputs.rows.size(), 3u);
        inputs.rows[0][0].parameter->SetValueText("1.5");
        inputs.rows[1][0].parameter->SetValueText("2.5");
        inputs.rows[1][0].parameter->valueChanged = 1;
        const States states = loaded.device->UpdateInputIndicators(inputs, 3);
        EXPECT_EQ(states, (States{"1.5", std::nullopt, Text("IDS_NODATA")}));
        EXPECT_TRUE(loaded.module.calls.empty());
    }
}

}  // namespace
}  // namespace vantor::test
