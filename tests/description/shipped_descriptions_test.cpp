#include <gtest/gtest.h>

#include "description/catalogue.h"
#include "description_fixture.h"

namespace vantor {
namespace {

using test::RecordingUserInterface;

int countParameters(const DescBranch& branch) {
    int count = static_cast<int>(branch.parameters().size());
    for (const auto& sub : branch.subBranches()) count += countParameters(*sub);
    return count;
}

// Every model's description in the built vantor.dat loads without a message and gives
// its whole tree with its network settings branch.
TEST(ShippedDescriptions, EveryModelLoadsFromTheBuiltContainer) {
    // The parameters built into each model's tree, by model index.
    const int parameterCounts[kModelCount] = {85,  83, 65, 51,  123, 58, 27, 24, 107, 106, 43, 60,
                                              130, 27, 66, 108, 107, 47, 34, 33, 39,  30,  30};
    for (int model = 0; model < kModelCount; ++model) {
        SCOPED_TRACE(modelCatalogue()[model].stream);
        RecordingUserInterface ui;
        TreeDescription description(ui);
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        EXPECT_TRUE(description.LoadTreeDescription(model));
        EXPECT_TRUE(ui.messages.empty()) << (ui.messages.empty() ? "" : ui.messages[0].text);
        ASSERT_NE(description.rootBranch, nullptr);
        EXPECT_EQ(countParameters(*description.rootBranch), parameterCounts[model]);
        EXPECT_FALSE(description.rootBranch->subBranches().empty());
        ASSERT_NE(description.networkBranch, nullptr);
        EXPECT_NE(description.networkBranch->FindParameter("Addr"), nullptr);
    }
}

}  // namespace
}  // namespace vantor
