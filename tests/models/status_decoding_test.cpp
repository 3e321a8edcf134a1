#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model_fixture.h"

namespace vantor::test {
namespace {

using ::testing::ElementsAreArray;

Lines labels(const CBaseDevice& device) {
    Lines result;
    for (int row = 0;; ++row) {
        std::string label = device.StatusRowLabel(row);
        if (label.empty()) break;
        result.push_back(std::move(label));
    }
    return result;
}

// The texts of every row for one status value.
Lines bitTexts(const CBaseDevice& device, std::uint32_t value) {
    Lines result;
    for (int row = 0; !device.StatusRowLabel(row).empty(); ++row) result.push_back(device.StatusBitText(row, value));
    return result;
}

struct Decoding {
    Model model;
    Lines labels;
    std::uint32_t value;
    Lines texts;  // for `value`
};

const Decoding kDecodings[] = {
    {Model::KQ13,
     {"Last measure", "Data status", "Measured value too high", "Measured value too low",
      "Network settings jumper status", "Alarm comparator actuation", "Calibration error"},
     // bits 0, 3, 6 set; bit 4 (not decoded) set too
     0b0101'1001,
     {"invalid measured value", "data prepared", "valid value", "value too small", "OFF", "actuation", "no error"}},
    {Model::KQ13,
     {"Last measure", "Data status", "Measured value too high", "Measured value too low",
      "Network settings jumper status", "Alarm comparator actuation", "Calibration error"},
     0b1010'0110,
     {"measuring successful", "data not prepared", "value too large", "valid value", "ON", "no actuation", "error"}},
    {Model::KQ15,
     {"Network settings jumper status", "Sensor status on Input", "Calibration error on Input"},
     0b101,
     {"ON", "norm", "error"}},
    {Model::KQ16,
     {"Network settings jumper status", "Sensor status on Input 1", "Sensor status on Input 2",
      "Sensor status on Input 3", "Sensor status on Input 4", "Calibration error on Input 1",
      "Calibration error on Input 2", "Calibration error on Input 3", "Calibration error on Input 4"},
     // sensor 2 failed, calibration error on input 4
     0b1'0000'0100,
     {"OFF", "norm", "failure", "norm", "norm", "no error", "no error", "no error", "error"}},
    {Model::KQ20,
     {"Network settings jumper status", "Temperature sensor status", "Calibration error",
      "Measuring status of pH-channel"},
     // bits 1 and 4 are not decoded
     0b01'0110,
     {"OFF", "failure", "no error", "correct value"}},
    {Model::KQ20,
     {"Network settings jumper status", "Temperature sensor status", "Calibration error",
      "Measuring status of pH-channel"},
     0b10'1001,
     {"ON", "norm", "error", "incorrect value"}},
    {Model::KQ22,
     {"EEPROM error", "ADC connection error", "parameter applying error", "<reserve>", "phase A range excess",
      "phase B range excess", "phase C range excess"},
     0b110'0101,
     {"1", "0", "1", "0", "0", "1", "1"}},
};

TEST(StatusDecoding, LabelsAndBitTextsOfEveryDecodingModel) {
    for (const Decoding& d : kDecodings) {
        LoadedModel loaded(d.model, false);
        SCOPED_TRACE(loaded.device->DisplayName());
        EXPECT_THAT(labels(*loaded.device), ElementsAreArray(d.labels));
        EXPECT_THAT(bitTexts(*loaded.device, d.value), ElementsAreArray(d.texts));
    }
}

TEST(StatusDecoding, ARowBeyondTheTableHasNoLabelAndNoText) {
    for (const Model model : {Model::KQ13, Model::KQ16, Model::KQ22, Model::KQ04, Model::KQ21}) {
        LoadedModel loaded(model, false);
        const int rows = static_cast<int>(labels(*loaded.device).size());
        for (const int row : {rows, rows + 1, -1}) {
            EXPECT_EQ(loaded.device->StatusRowLabel(row), "");
            EXPECT_EQ(loaded.device->StatusBitText(row, ~0u), "");
        }
    }
}

// The view inserts the rows the model labels under the status parameter of the
// shipped scanners tree: nine for the four-input variant, three for the one-input one.
class CollectingSink : public RowSink {
public:
    RowId addRow(RowId parent, const RowEntry& row) override {
        rows.emplace_back(parent, row);
        return static_cast<RowId>(rows.size() - 1);
    }
    std::vector<std::pair<RowId, RowEntry>> rows;
};

Lines decodingRowsUnder(const char* status, LoadedModel& loaded) {
    CollectingSink sink;
    ViewInsertion view{sink, false, ModelStatusRowLabels(loaded.device.get())};
    loaded.description.scannersBranch->InsertIntoView(view, kTopRow);
    Lines result;
    for (const auto& [parent, row] : sink.rows)
        if (row.kind == RowKind::Decoding && parent >= 0 && sink.rows[parent].second.parameter &&
            sink.rows[parent].second.parameter->name == status)
            result.push_back(row.text);
    return result;
}

TEST(StatusDecoding, TheViewShowsOneRowPerLabelUnderTheStatusParameter) {
    struct Case {
        Model model;
        const char* status;
        std::size_t rows;
    };
    for (const Case c : {Case{Model::KQ15, "Rd.St", 3}, Case{Model::KQ16, "Rd.St", 9}, Case{Model::KQ13, "Rd.St", 7},
                         Case{Model::KQ20, "Rd.St", 4}, Case{Model::KQ22, "Stat", 7}}) {
        LoadedModel loaded(c.model);
        SCOPED_TRACE(c.status);
        ASSERT_NE(loaded.description.scannersBranch, nullptr);
        const Lines rows = decodingRowsUnder(c.status, loaded);
        EXPECT_EQ(rows.size(), c.rows);
        EXPECT_EQ(rows, labels(*loaded.device));
    }
    EXPECT_FALSE(ModelStatusRowLabels(nullptr));
}

}  // namespace
}  // namespace vantor::test
