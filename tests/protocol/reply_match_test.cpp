#include <gtest/gtest.h>

#include "protocol/name_hash.h"
#include "protocol/reply_match.h"

namespace vantor {
namespace {

using Bytes = std::vector<std::uint8_t>;

ReceivedFrame parsed(const FrameFields& fields) {
    ReceivedFrame frame;
    EXPECT_EQ(ParseFrame(*BuildFrame(fields), frame), FrameCheck::Ok);
    return frame;
}

TEST(ReplyMatch, TheReplyMustNameWhatWasAsked) {
    const std::uint16_t level = hash_name("Lvl");
    // A read of "Lvl" index 2 at address 16: its two index bytes come back after the value.
    const RequestSignature read = RequestSignature::of({16, 8, true, level, {0, 2}}, 2);
    const struct {
        const char* what;
        FrameFields reply;
        bool answers;
    } cases[] = {
        {"value and index", {16, 8, false, level, {42, 0, 2}}, true},
        {"another index", {16, 8, false, level, {42, 0, 3}}, false},
        {"another address", {17, 8, false, level, {42, 0, 2}}, false},
        {"another hash", {16, 8, false, hash_name("Cnt"), {42, 0, 2}}, false},
        {"too short to carry a value: left to the length check", {16, 8, false, level, {0}}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(AnswersRequest(parsed(c.reply), read), c.answers) << c.what;

    // Without an echo only hash and address count; 11-bit addresses compare whole.
    const RequestSignature plain = RequestSignature::of({1000, 11, true, level, {}}, 2);
    EXPECT_TRUE(AnswersRequest(parsed({1000, 11, false, level, {7, 7, 7}}), plain));
    EXPECT_FALSE(AnswersRequest(parsed({1001, 11, false, level, {7}}), plain));
    // The broadcast address is no module's own: any sender answers it.
    EXPECT_TRUE(AnswersRequest(parsed({16, 8, false, level, {}}), RequestSignature::of({255, 8, true, level, {}}, 0)));
}

TEST(ReplyMatch, AWriteEchoesOnlyItsIndex) {
    const std::uint16_t level = hash_name("Lvl");
    const RequestSignature write = RequestSignature::of({16, 8, false, level, {9, 0, 2}}, 2);
    EXPECT_EQ(write.echo, (Bytes{0, 2}));
    // The module answers with the value it keeps, which may differ from the one written.
    EXPECT_TRUE(AnswersRequest(parsed({16, 8, false, level, {8, 0, 2}}), write));
    EXPECT_FALSE(AnswersRequest(parsed({16, 8, false, level, {9, 0, 1}}), write));
}

}  // namespace
}  // namespace vantor
