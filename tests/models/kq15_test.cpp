#include <gtest/gtest.h>

#include "model_fixture.h"
#include "models/kq15.h"

namespace vantor::test {
namespace {

TEST(Kq15, Indexes13And14AreTheTwoVariantsOfOneClass) {
    LoadedModel one(Model::KQ15, false);
    LoadedModel four(Model::KQ16, false);
    auto* kq15 = dynamic_cast<CKQ15*>(one.device.get());
    auto* kq16 = dynamic_cast<CKQ15*>(four.device.get());
    ASSERT_NE(kq15, nullptr);
    ASSERT_NE(kq16, nullptr);
    EXPECT_EQ(kq15->Variant(), 0);
    EXPECT_EQ(kq16->Variant(), 1);
    EXPECT_EQ(kq15->DisplayName(), "KQ-15");
    EXPECT_EQ(kq16->DisplayName(), "KQ-16");
    EXPECT_EQ(kq15->StatusRowLabel(2), "Calibration error on Input");
    EXPECT_EQ(kq15->StatusRowLabel(3), "");
    EXPECT_EQ(kq16->StatusRowLabel(8), "Calibration error on Input 4");
    EXPECT_EQ(kq16->StatusRowLabel(9), "");
}

TEST(Kq15, AddressesLeaveOut255) {
    struct Case {
        const char* length;
        int address;
        bool valid;
    };
    const Case cases[] = {
        {"8", 0, false},    {"8", 1, true},      {"8", 254, true},  {"8", 255, false},  {"8", 256, false},
        {"11", 0, false},   {"11", 1, true},     {"11", 254, true}, {"11", 255, false}, {"11", 256, true},
        {"11", 2036, true}, {"11", 2037, false}, {"", 255, true},   {"16", 5000, true}, {"8 ", 255, true},
    };
    for (const Model model : {Model::KQ15, Model::KQ16}) {
        LoadedModel loaded(model, false);
        for (const Case& c : cases)
            EXPECT_EQ(loaded.device->IsValidAddress(c.address, c.length), c.valid)
                << loaded.device->DisplayName() << " length '" << c.length << "' address " << c.address;
    }
    LoadedModel other(Model::KQ04, false);
    EXPECT_TRUE(other.device->IsValidAddress(255, "8"));
    EXPECT_TRUE(other.device->IsValidAddress(0, "11"));
}

TEST(Kq15, AddsTheTareWeightInFrontOfCalibration) {
    for (const Model model : {Model::KQ15, Model::KQ16}) {
        LoadedModel loaded(model, false);
        const std::vector<MenuInsertion> expected = {{3, 32824, 111, "Tare &weight"}};
        EXPECT_EQ(loaded.device->AdjustMenu(), expected);
    }
    for (const Model model : {Model::KQ13, Model::KQ20, Model::KQ01}) {
        LoadedModel loaded(model, false);
        EXPECT_TRUE(loaded.device->AdjustMenu().empty());
    }
}

}  // namespace
}  // namespace vantor::test
