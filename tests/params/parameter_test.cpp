#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "params/parameter.h"
#include "text/texts.h"

namespace vantor {
namespace {

// A parameter no description has filled and no reply has reached: an editable row of
// an unknown parameter without data, without attributes or limits, not sampled.
TEST(Parameter, NewParameterShowsNoDataAndTakesAnyValue) {
    Parameter parameter("Addr");
    const ParameterRow row = parameter.Row(true);
    EXPECT_EQ(row.name, "Addr");  // not indexed: no ":0" even with indexes shown
    EXPECT_EQ(row.value, "no data");
    EXPECT_EQ(row.editable, "");
    EXPECT_EQ(row.owner, "");
    EXPECT_EQ(row.error, "");
    EXPECT_EQ(row.colour, kColourNormal);
    EXPECT_EQ(row.image, kImageEditableBuiltIn);
    EXPECT_EQ(parameter.TypeDescription(), "");
    EXPECT_EQ(parameter.AttributeByte(), 0x03);  // editable, the person's own
    EXPECT_FALSE(parameter.SamplingOn());
    EXPECT_EQ(parameter.SamplingPeriodText(), "1000");
    EXPECT_EQ(parameter.SampledDescription(), "<unknown parameter>, Addr:0");

    // Of unknown type a reply reads as a number, and any text is taken.
    const std::uint8_t reply[] = {0x05};
    EXPECT_EQ(parameter.StoreFromData(reply, 1), kConvertOk);
    EXPECT_EQ(parameter.valueText, "5");
    EXPECT_TRUE(parameter.SetValue("whatever"));
    EXPECT_EQ(parameter.valueText, "whatever");
    EXPECT_EQ(Parameter().Row(true).name, "");
}

TEST(Parameter, NewParameterWithAttributesShowsReadWriteAndUserOwner) {
    Parameter parameter("x");
    parameter.hasAttributes = 1;
    EXPECT_EQ(parameter.EditableText(), "read/write");
    EXPECT_EQ(parameter.OwnerText(), Text("IDS_STRING159"));
    parameter.hasAttributes = 0;
    EXPECT_EQ(parameter.EditableText(), "");
    EXPECT_EQ(parameter.OwnerText(), "");
}

TEST(Parameter, ResetStateRestoresTheRecordState) {
    Parameter parameter("x");
    parameter.userEditable = 0;
    parameter.indexed = 1;
    parameter.dataIndex = 4;
    parameter.addressOffset = 2;
    parameter.valueChanged = parameter.editableChanged = parameter.ownerChanged = 1;
    parameter.valueText = "5";
    parameter.errorText = "bad";
    parameter.hasAttributes = 1;
    parameter.editable = 0;
    parameter.manufacturerOwned = 1;
    parameter.description = "kept";
    parameter.ResetState();
    EXPECT_EQ(parameter.AttributeByte(), 0x03);
    EXPECT_EQ(parameter.Row(true).name, "x");
    EXPECT_EQ(parameter.valueText, "no data");
    EXPECT_EQ(parameter.RowColour(), kColourNormal);
    EXPECT_EQ(parameter.userEditable, 1);
    EXPECT_EQ(parameter.addressOffset, 0);
    EXPECT_EQ(parameter.hasAttributes, 0);
    EXPECT_EQ(parameter.description, "kept");
}

TEST(Parameter, AttributeBytes) {
    struct Case {
        std::uint8_t read;
        int editable;
        int manufacturer;
        const char* editText;
        const char* ownerKey;
    };
    const Case cases[] = {
        {0x01, 1, 1, "read/write", "IDS_STRING158"}, {0x02, 0, 0, "read-only", "IDS_STRING159"},
        {0x03, 1, 0, "read/write", "IDS_STRING159"}, {0x00, 0, 1, "read-only", "IDS_STRING158"},
        {0xFD, 1, 1, "read/write", "IDS_STRING158"},
    };
    for (const Case& c : cases) {
        Parameter parameter("x");
        parameter.hasAttributes = 1;
        parameter.ReadAttributeByte(c.read);
        EXPECT_EQ(parameter.editable, c.editable);
        EXPECT_EQ(parameter.manufacturerOwned, c.manufacturer);
        EXPECT_EQ(parameter.AttributeByte(), c.read & 0x03);
        EXPECT_EQ(parameter.EditableText(), c.editText);
        EXPECT_EQ(parameter.OwnerText(), Text(c.ownerKey));
    }
    EXPECT_EQ(Text("IDS_STRING158"), "Company");
}

TEST(Parameter, RowColours) {
    const std::string discrepancy = Text("IDS_DISCREPANCY");
    ASSERT_EQ(discrepancy.rfind("Device value", 0), 0u);
    struct Case {
        std::string error;
        int changed;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {discrepancy + " 5", 0, 0xFF4040},
        {"Device value differs", 1, 0xFF4040},
        {"Response sum check error", 1, 0x0000FF},
        {"", 1, 0x00C800},
        {"", 0, 0x000000},
    };
    for (const Case& c : cases) {
        Parameter parameter("x");
        parameter.errorText = c.error;
        parameter.ownerChanged = static_cast<std::uint8_t>(c.changed);
        EXPECT_EQ(parameter.RowColour(), c.colour) << c.error;
    }
}

TEST(Parameter, TypeDescriptions) {
    struct Case {
        const char* type;
        const char* text;
    };
    const Case cases[] = {
        {"float", "real number"}, {"INT", "integer"},
        {"int16", "16-bit INT"},  {"stored_dot", "signed fixed point number"},
        {"CLK_frm", ""},          {"a:b", ""},
    };
    for (const Case& c : cases) {
        Parameter parameter("x");
        parameter.type = c.type;
        EXPECT_EQ(parameter.TypeDescription(), c.text) << c.type;
    }
}

TEST(Parameter, RowShowsIndexAndImage) {
    Parameter parameter("CHAr");
    parameter.type = "int";
    parameter.indexed = 1;
    parameter.dataIndex = 3;
    parameter.valueText = "12";
    parameter.errorText = "oops";
    EXPECT_EQ(parameter.Row(true).name, "CHAr:3");
    EXPECT_EQ(parameter.Row(false).name, "CHAr");
    const ParameterRow row = parameter.Row(true);
    EXPECT_EQ(row.value, "12");
    EXPECT_EQ(row.error, "oops");
    EXPECT_EQ(row.colour, kColourError);
    EXPECT_EQ(row.image, kImageEditableBuiltIn);
    struct ImageCase {
        const char* type;
        int image;
    };
    const ImageCase images[] = {
        {"off:on", kImageEditableEnumeration}, {"sint16", kImageEditableEnumeration},
        {"unknown", kImageEditableBuiltIn},    {"CLK_frm", kImageEditableBuiltIn},
        {"Stored_Dot", kImageEditableBuiltIn}, {"name", kImageEditableBuiltIn},
    };
    for (const ImageCase& c : images) {
        parameter.type = c.type;
        EXPECT_EQ(parameter.Row(true).image, c.image) << c.type;
    }
    parameter.userEditable = 0;
    EXPECT_EQ(parameter.Row(true).image, kImageOther);
}

TEST(Parameter, CodeParameterRows) {
    Parameter parameter("CodP");
    parameter.valueText = "165";  // 0xA5
    const CodeParameterRows rows = parameter.CodeRows();
    EXPECT_EQ(rows.children[0], "10 kohm");
    EXPECT_EQ(rows.children[1], "0");
    EXPECT_EQ(rows.children[2], "yes");
    EXPECT_EQ(rows.children[3], "safe output status");
    EXPECT_EQ(rows.children[4], "test");
    EXPECT_EQ(rows.valueText, "0xa5");
    // Shown again, the rewritten text reads back as the same number.
    parameter.valueText = rows.valueText;
    EXPECT_EQ(parameter.CodeRows().children, rows.children);
    parameter.valueText = "0x5A";
    const CodeParameterRows other = parameter.CodeRows();
    EXPECT_EQ(other.children[0], "100 kohm");
    EXPECT_EQ(other.children[1], "1");
    EXPECT_EQ(other.children[2], "no");
    EXPECT_EQ(other.children[3], "automatic control");
    EXPECT_EQ(other.children[4], "work");
}

TEST(Parameter, SamplingState) {
    Parameter parameter("Tmp");
    parameter.indexed = 1;
    parameter.dataIndex = 2;
    parameter.description = "Temperature";
    EXPECT_TRUE(parameter.PrepareSampling());
    EXPECT_TRUE(parameter.SamplingPrepared());
    EXPECT_EQ(parameter.addressOffset, 2);
    EXPECT_EQ(parameter.indexed, 0);
    EXPECT_EQ(parameter.StopSampling(), 1);
    EXPECT_EQ(parameter.StartSampling(), 0);
    EXPECT_TRUE(parameter.SamplingOn());
    EXPECT_EQ(parameter.StartSampling(), 1);
    EXPECT_EQ(parameter.StopSampling(), 0);
    EXPECT_FALSE(parameter.SamplingOn());
    EXPECT_EQ(parameter.SamplingPeriodText(), "1000");
    EXPECT_EQ(parameter.SampledDescription(), "Temperature, Tmp:2");
    EXPECT_EQ(Parameter("R.OE.S").SamplingPeriodText(), "");
}

TEST(Parameter, SamplingSwitchedFromSeveralThreadsStartsOnce) {
    // The view's check box and a wizard may switch the same parameter at once: only one
    // of the callers finds sampling off and starts it.
    Parameter parameter("Tmp");
    std::atomic<int> starters{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] {
            if (parameter.StartSampling() == 0) ++starters;
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(starters.load(), 1);
    EXPECT_TRUE(parameter.SamplingOn());
}

TEST(Parameter, DestructionClearsTheBackReference) {
    Parameter* slot = nullptr;
    {
        Parameter parameter("x");
        slot = &parameter;
        parameter.backReference = &slot;
    }
    EXPECT_EQ(slot, nullptr);
}

TEST(Parameter, EnumTextAndIndex) {
    Parameter parameter("x");
    parameter.type = "none:even:odd";
    EXPECT_EQ(parameter.EnumText(0), "none");
    EXPECT_EQ(parameter.EnumText(2), "odd");
    EXPECT_EQ(parameter.EnumText(3), "no data");
    EXPECT_EQ(parameter.EnumText(-1), "");
    EXPECT_EQ(parameter.EnumIndex("ODD"), 2);
    EXPECT_EQ(parameter.EnumIndex("four"), -1);
    parameter.type = "int";
    EXPECT_EQ(parameter.EnumText(42), "42");
}

}  // namespace
}  // namespace vantor
