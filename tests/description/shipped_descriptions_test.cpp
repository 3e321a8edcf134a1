#include <gtest/gtest.h>

#include "description/catalogue.h"
#include "description_fixture.h"

namespace vantor::testing {
namespace {

int countParameters(const DescBranch& branch) {
    int count = static_cast<int>(branch.parameters().size());
    for (const auto& sub : branch.subBranches()) count += countParameters(*sub);
    return count;
}

// Every model's description in the built vantor.dat loads without a message and gives
// a real tree with its network settings branch.
TEST(ShippedDescriptions, EveryModelLoadsFromTheBuiltContainer) {
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(modelCatalogue()[model].stream);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        EXPECT_TRUE(description.LoadTreeDescription(model));
        EXPECT_TRUE(ui.messages.empty()) << (ui.messages.empty() ? "" : ui.messages[0].text);
        ASSERT_NE(description.rootBranch, nullptr);
        EXPECT_GE(countParameters(*description.rootBranch), 20);
        EXPECT_FALSE(description.rootBranch->subBranches().empty());
        ASSERT_NE(description.networkBranch, nullptr);
        EXPECT_NE(description.networkBranch->FindParameter("Addr"), nullptr);
    }
}

}  // namespace
}  // namespace vantor::testing
