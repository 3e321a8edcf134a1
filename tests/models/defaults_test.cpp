#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model_fixture.h"
#include "text/texts.h"

namespace vantor::test {
namespace {

using ::testing::Contains;
using ::testing::Each;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

// The configuration values of the tree's parameters, as "write NAME=VALUE".
void collectInitWrites(const DescBranch& branch, Lines& writes) {
    branch.ForEachMember(
        [&](Parameter& p) {
            if (!p.configurationValue.empty()) writes.push_back("write " + p.name + "=" + p.configurationValue);
        },
        [&](DescBranch& sub) { collectInitWrites(sub, writes); });
}

TEST(ResetToDefaults, WritesEveryInitValueOfTheTreeThenOffersInit) {
    LoadedModel loaded(Model::KQ04);
    loaded.ui.waitCursorChanges.clear();  // the load's own
    loaded.ui.answers = {MessageAnswer::Yes};
    loaded.device->ResetToDefaults();

    ASSERT_EQ(loaded.ui.messages.size(), 1u);
    EXPECT_EQ(loaded.ui.messages[0].text, Text("IDS_STRING173"));
    EXPECT_EQ(loaded.ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(loaded.ui.messages[0].buttons, MessageButtons::YesNo);
    // The shipped KQ-04 description's network defaults, among the others.
    EXPECT_THAT(loaded.module.calls, Contains("write bPS=9600"));
    EXPECT_THAT(loaded.module.calls, Contains("write Addr=16"));
    EXPECT_THAT(loaded.module.calls, Not(Contains(StartsWith("write dev"))));
    Lines expected;
    collectInitWrites(*loaded.description.rootBranch, expected);
    EXPECT_GE(expected.size(), 10u);
    EXPECT_EQ(loaded.module.calls, expected);
    EXPECT_EQ(loaded.document.events, (Lines{"write defaults task", "update views", "INIT with confirmation"}));
    EXPECT_EQ(loaded.ui.waitCursorChanges, (std::vector<bool>{true, false}));
}

TEST(ResetToDefaults, NoAnswerWritesNothing) {
    LoadedModel loaded(Model::KQ04);
    loaded.ui.answers = {MessageAnswer::No};
    loaded.device->ResetToDefaults();
    EXPECT_THAT(loaded.module.calls, IsEmpty());
    EXPECT_THAT(loaded.document.events, IsEmpty());
}

TEST(ResetToDefaults, WithoutATreeSaysSoAndStops) {
    LoadedModel loaded(Model::KQ04, false);
    loaded.device->ResetToDefaults();
    ASSERT_EQ(loaded.ui.messages.size(), 1u);
    EXPECT_EQ(loaded.ui.messages[0].text, "No tree selected");
    EXPECT_EQ(loaded.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_THAT(loaded.module.calls, IsEmpty());
    EXPECT_THAT(loaded.document.events, IsEmpty());
}

TEST(ResetToDefaults, BelowTheHighestAccessLevelOnlyInitIsOffered) {
    LoadedModel loaded(Model::KQ04);
    loaded.document.highestAccessLevel = false;
    loaded.device->ResetToDefaults();
    EXPECT_EQ(loaded.ui.texts(), (Lines{Text("IDS_STRING173"), Text("IDS_STRING690")}));
    EXPECT_EQ(loaded.ui.messages[1].icon, MessageIcon::Information);
    EXPECT_THAT(loaded.module.calls, IsEmpty());
    EXPECT_EQ(loaded.document.events, (Lines{"INIT with confirmation"}));
}

// KQ-13, KQ-15/16 and KQ-20 restore their defaults themselves on one command.
TEST(ResetToDefaults, SelfRestoringModelsSendTheDefaultsCommand) {
    const std::string question = Text("IDS_STRING172");
    struct Case {
        const char* what;
        const char* failure;  // error text of a failed write, or null
        MessageAnswer answer;
        std::vector<RecordedMessage> messages;
        Lines events;
    };
    const Case cases[] = {
        {"taken, read now",
         nullptr,
         MessageAnswer::Yes,
         {{question, Text("AFX_IDS_APP_TITLE"), MessageIcon::Information, MessageButtons::YesNo}},
         {"read all posted"}},
        {"taken, no read",
         nullptr,
         MessageAnswer::No,
         {{question, Text("AFX_IDS_APP_TITLE"), MessageIcon::Information, MessageButtons::YesNo}},
         {}},
        {"refused",
         "Write error",
         MessageAnswer::Yes,
         {{"Write error", "Default settings", MessageIcon::Warning, MessageButtons::Ok}},
         {}},
        {"undecodable reply",
         "Response cannot be decoded",
         MessageAnswer::Yes,
         {{question, Text("AFX_IDS_APP_TITLE"), MessageIcon::Information, MessageButtons::YesNo}},
         {"read all posted"}},
    };
    for (const Model model : {Model::KQ13, Model::KQ15, Model::KQ16, Model::KQ20}) {
        for (const Case& c : cases) {
            LoadedModel loaded(model);
            SCOPED_TRACE(loaded.device->DisplayName() + ": " + c.what);
            if (c.failure) loaded.module.failures["S.Def"] = c.failure;
            loaded.ui.answers = {c.answer};
            loaded.device->ResetToDefaults();
            EXPECT_EQ(loaded.module.calls, (Lines{"write S.Def="}));
            EXPECT_EQ(loaded.module.writtenTypes, (Lines{"void"}));
            ASSERT_EQ(loaded.ui.messages.size(), c.messages.size());
            for (std::size_t i = 0; i < c.messages.size(); ++i) {
                EXPECT_EQ(loaded.ui.messages[i].text, c.messages[i].text);
                EXPECT_EQ(loaded.ui.messages[i].caption, c.messages[i].caption);
                EXPECT_EQ(loaded.ui.messages[i].icon, c.messages[i].icon);
                EXPECT_EQ(loaded.ui.messages[i].buttons, c.messages[i].buttons);
            }
            EXPECT_EQ(loaded.document.events, c.events);
        }
    }
}

TEST(ResetToDefaults, OtherModelsNeverSendTheDefaultsCommand) {
    for (const Model model : {Model::KQ01, Model::KQ07, Model::KQ12, Model::KQ19, Model::KQ22}) {
        LoadedModel loaded(model);
        loaded.ui.answers = {MessageAnswer::Yes};
        loaded.device->ResetToDefaults();
        SCOPED_TRACE(loaded.device->DisplayName());
        EXPECT_THAT(loaded.module.calls, Not(Contains("write S.Def=")));
        EXPECT_THAT(loaded.module.calls, Each(Not(StartsWith("read"))));
        EXPECT_EQ(loaded.document.events.front(), "write defaults task");
    }
}

}  // namespace
}  // namespace vantor::test
