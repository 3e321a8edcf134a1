#include <gtest/gtest.h>

#include "model_fixture.h"
#include "text/texts.h"

namespace vantor::test {
namespace {

Parameter* logOf(LoadedModel& loaded, int dataIndex) {
    return loaded.description.rootBranch->FindParameters("Log", nullptr, nullptr, nullptr, dataIndex);
}

// The shipped logic list: 3, 4 and 7 are the two-channel logics.
TEST(Kq12Pairing, TheLogicOfOneInputDecidesItsPartners) {
    struct Case {
        int input;    // data index of the edited "Log"
        int partner;  // data index of the other input of the pair
        int value;    // position of the new logic, -1: a text not in the list
        int before;   // the partner's logic
        int after;
    };
    const Case cases[] = {
        {0, 1, 3, 0, 3},  // a two-channel logic occupies the partner
        {1, 0, 4, 6, 4}, {2, 3, 7, 1, 7},
        {3, 2, 3, 5, 3}, {0, 1, 0, 3, 0},  // a one-channel logic frees the partner
        {1, 0, 5, 7, 0}, {2, 3, 6, 4, 0},
        {3, 2, 1, 3, 0}, {0, 1, 1, 2, 2},   // one-channel beside one-channel: the partner keeps its own
        {2, 3, 2, 6, 6}, {1, 0, -1, 3, 3},  // an unknown text changes nothing
    };
    for (const Case& c : cases) {
        LoadedModel loaded(Model::KQ12);
        ASSERT_NE(loaded.description.rootBranch, nullptr);
        SCOPED_TRACE("input " + std::to_string(c.input) + " logic " + std::to_string(c.value));
        Parameter* edited = logOf(loaded, c.input);
        Parameter* partner = logOf(loaded, c.partner);
        ASSERT_NE(edited, nullptr);
        ASSERT_NE(partner, nullptr);
        EXPECT_EQ(loaded.device->LogPartner(*edited), partner);
        partner->SetValueText(partner->EnumText(c.before));
        edited->SetValueText(c.value < 0 ? "no such logic" : edited->EnumText(c.value));
        loaded.device->OnLogParameter(*edited);
        EXPECT_EQ(partner->EnumIndex(partner->valueText), c.after) << partner->valueText;
        EXPECT_TRUE(loaded.module.calls.empty());
    }
}

TEST(Kq12Pairing, TheLogicListIsTheOneTheModelExpects) {
    LoadedModel loaded(Model::KQ12);
    ASSERT_NE(loaded.description.rootBranch, nullptr);
    const Parameter* log = logOf(loaded, 0);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->EnumIndex("quadrature encoder"), 3);
    EXPECT_EQ(log->EnumIndex("phase shift meter"), 7);
    // A copied logic keeps the edited text's letter case.
    Parameter* partner = logOf(loaded, 1);
    ASSERT_NE(partner, nullptr);
    Parameter& edited = *logOf(loaded, 0);
    edited.SetValueText("QUADRATURE ENCODER");
    loaded.device->OnLogParameter(edited);
    EXPECT_EQ(partner->valueText, "QUADRATURE ENCODER");
}

// Six inputs: index 5 pairs with 4; the fifth input of five has no partner.
TEST(Kq12Pairing, PairsAreByDataIndexAndAMissingPartnerChangesNothing) {
    const std::string text =
        "type LOGIC one_a one_b one_c two_a two_b one_d one_e two_c\n"
        "parameter Log LOGIC Input_logic\n"
        "branch Input# 6 2 2 Log\n"
        "root KQ-12 1 1 1 Input#\n";
    LoadedModel loaded(Model::KQ12, false);
    loaded.description.LoadTreeText(text, static_cast<int>(Model::KQ12));
    ASSERT_NE(loaded.description.rootBranch, nullptr);
    Parameter* fifth = logOf(loaded, 4);
    Parameter* sixth = logOf(loaded, 5);
    ASSERT_NE(fifth, nullptr);
    ASSERT_NE(sixth, nullptr);
    EXPECT_EQ(loaded.device->LogPartner(*sixth), fifth);
    sixth->SetValueText("two c");  // the description's "_" is a blank
    loaded.device->OnLogParameter(*sixth);
    EXPECT_EQ(fifth->valueText, "two c");

    LoadedModel five(Model::KQ12, false);
    five.description.LoadTreeText(
        "type LOGIC one_a one_b one_c two_a\nparameter Log LOGIC l\nbranch Input# 5 2 2 Log\nroot KQ-12 1 1 1 Input#\n",
        static_cast<int>(Model::KQ12));
    Parameter* last = logOf(five, 4);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(five.device->LogPartner(*last), nullptr);
    last->SetValueText("two a");
    five.device->OnLogParameter(*last);  // nothing to pair with
    for (int input = 0; input < 4; ++input) EXPECT_EQ(logOf(five, input)->valueText, Text("IDS_NODATA")) << input;
}

TEST(Kq12Pairing, OtherModelsPairNothing) {
    LoadedModel loaded(Model::KQ04);
    Parameter log("Log");
    EXPECT_EQ(loaded.device->LogPartner(log), nullptr);
}

}  // namespace
}  // namespace vantor::test
