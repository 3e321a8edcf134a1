#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "description/description_file.h"
#include "description_fixture.h"
#include "platform/compound_file.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using test::dumpTree;
using test::RecordingUserInterface;
using test::runProgram;

namespace fs = std::filesystem;
using ::testing::UnorderedElementsAre;

class DescriptionContainer : public test::TemporaryFolderTest {
protected:
    std::string readFile(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Packs files of the folder (names separated by blanks) with the vantor-dat program.
    int pack(const std::string& dat, const std::string& files) const {
        std::vector<std::string> args{"pack", path(dat)};
        std::istringstream names(files);
        for (std::string name; names >> name;) args.push_back(path(name));
        return runProgram("vantor-dat", args).status;
    }

    fs::path folder_;
};

TEST_F(DescriptionContainer, PackedStreamsLoadAsModelDescriptions) {
    const std::string kq03 = "; KQ-03 test\nparameter Addr int Address\nroot Device 1 0 0 Addr\n";
    writeFile("kq-03.tree", kq03);
    writeFile("kq-01.tree", "root Other 1 0 0\n");
    ASSERT_EQ(pack("test.dat", "kq-03.tree kq-01.tree"), 0);

    CompoundFileReader reader;
    ASSERT_TRUE(reader.open(path("test.dat")));
    EXPECT_THAT(reader.streamNames(), UnorderedElementsAre("kq-03.tree", "kq-01.tree"));
    std::string text, reason;
    ASSERT_TRUE(ReadDescriptionStream(path("test.dat"), "kq-03.tree", text, reason)) << reason;
    EXPECT_EQ(text, kq03);

    RecordingUserInterface ui;
    TreeDescription description(ui);
    description.descriptionFile = path("test.dat");
    int modelMade = kNoModel;
    description.createDeviceModel = [&](int model) { modelMade = model; };
    EXPECT_TRUE(description.LoadTreeDescription(2));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(modelMade, 2);
    EXPECT_EQ(dumpTree(description.rootBranch), (std::vector<std::string>{"Device", "  Addr"}));
}

// The keyed message, and beneath it the file and what is wrong with it; nothing of a
// damaged stream is parsed.
TEST_F(DescriptionContainer, UnreadableDescriptionsFailWithTheReasonAndWithoutTouchingTheFile) {
    writeFile("not-a-container.dat", "root Device 1 0 0\n");
    fs::create_directories(path("folder.dat"));
    const std::string good = DeflateDescription("root D 1 0 0");
    std::string badSum = good;
    badSum.back() = static_cast<char>(badSum.back() ^ 0x55);
    ASSERT_TRUE(writeCompoundFile(path("other.dat"), {{"kq-02.tree", good},
                                                      {"kq-01.tree", ""},
                                                      {"kq-03.tree", badSum},
                                                      {"kq-04.tree", good.substr(0, good.size() - 4)}}));
    struct Case {
        const char* file;
        int model;
        std::string detail;
    };
    const Case cases[] = {
        {"missing.dat", 0, "cannot read " + path("missing.dat") + ": No such file or directory"},
        {"folder.dat", 0, "cannot read " + path("folder.dat") + ": Is a directory"},
        {"not-a-container.dat", 0, path("not-a-container.dat") + " is not a readable compound file: No OLE2 signature"},
        {"other.dat", 5, path("other.dat") + ": no stream kq-06.tree in the container"},
        {"other.dat", 0, path("other.dat") + ": stream kq-01.tree is damaged: unexpected end of data"},
        {"other.dat", 2, path("other.dat") + ": stream kq-03.tree is damaged: incorrect data check"},
        {"other.dat", 3, path("other.dat") + ": stream kq-04.tree is damaged: unexpected end of data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " model " + std::to_string(c.model));
        RecordingUserInterface ui;
        TreeDescription description(ui);
        description.descriptionFile = path(c.file);
        EXPECT_FALSE(description.LoadTreeDescription(c.model));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Tree file opening error\n" + c.detail);
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(description.rootBranch, nullptr);
    }
    EXPECT_FALSE(fs::exists(path("missing.dat")));
    EXPECT_EQ(readFile("not-a-container.dat"), "root Device 1 0 0\n");
}

// A container cut short trips assertions inside the compound-file library: its words
// become the reason, and none of them reach the terminal on their own.
TEST_F(DescriptionContainer, TruncatedContainerIsRefusedQuietly) {
    std::vector<CompoundStream> streams;
    for (int i = 1; i <= 12; ++i) {
        std::string text;
        for (int line = 0; line < 400; ++line) text += "parameter P" + std::to_string(line * 7919 % 10007 + i) + "\n";
        streams.emplace_back("kq-" + std::to_string(10 + i) + ".tree", DeflateDescription(text));
    }
    ASSERT_TRUE(writeCompoundFile(path("whole.dat"), streams));
    const std::string whole = readFile("whole.dat");
    for (const std::size_t size : {std::size_t(100), whole.size() / 4, whole.size() / 2, whole.size() - 512}) {
        SCOPED_TRACE(size);
        writeFile("cut.dat", whole.substr(0, size));
        ::testing::internal::CaptureStderr();
        CompoundFileReader reader;
        std::string error, text;
        const bool opened = reader.open(path("cut.dat"), &error);
        bool allRead = opened;
        for (const auto& stream : streams)
            if (opened) allRead = DecodeContainerStream(reader, stream.first, text, error) && allRead;
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(allRead);
        EXPECT_NE(error, "");
    }
}

// Compound files compare names without regard to letter case and limit them to 31
// UTF-16 units, whatever their length in UTF-8.
TEST_F(DescriptionContainer, StreamNamesFollowTheFormat) {
    const std::string cyrillic31 = "описание-модели-номер-один.tree";  // 31 characters, 54 bytes
    ASSERT_TRUE(writeCompoundFile(path("case.dat"),
                                  {{"KQ-02.Tree", DeflateDescription("root Upper 1 0 0")}, {cyrillic31, "x"}}));
    RecordingUserInterface ui;
    TreeDescription description(ui);
    description.descriptionFile = path("case.dat");
    EXPECT_TRUE(description.LoadTreeDescription(1));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(dumpTree(description.rootBranch), std::vector<std::string>{"Upper"});
    CompoundFileReader reader;
    ASSERT_TRUE(reader.open(path("case.dat")));
    EXPECT_THAT(reader.streamNames(), UnorderedElementsAre("KQ-02.Tree", cyrillic31));

    std::string error;
    EXPECT_FALSE(writeCompoundFile(path("long.dat"), {{cyrillic31 + "x", "x"}}, &error));
    EXPECT_EQ(error, "stream name '" + cyrillic31 + "x' must have 1 to 31 characters");
    writeFile("a.tree", "root A 1 0 0\n");
    writeFile("A.TREE", "root B 1 0 0\n");
    EXPECT_NE(pack("twice.dat", "a.tree A.TREE"), 0);
    EXPECT_FALSE(fs::exists(path("twice.dat")));
}

TEST_F(DescriptionContainer, ModelWithoutDescriptionFailsSilently) {
    RecordingUserInterface ui;
    TreeDescription description(ui);
    description.descriptionFile = path("missing.dat");
    EXPECT_FALSE(description.LoadTreeDescription(23));
    EXPECT_TRUE(ui.messages.empty());
}

// Only a whole stream whose check sum matches gives its text: a damaged one gives none
// of it, however much inflated before the damage showed.
TEST(DescriptionStreamInflate, WholeStreamsOnly) {
    std::string text;
    for (int i = 0; text.size() < 100000; ++i) text += "parameter P" + std::to_string(i * 7919 % 10007) + " int d\n";
    const std::string compressed = DeflateDescription(text);
    std::string inflated, detail;
    EXPECT_EQ(InflateDescription(compressed, inflated, detail), InflateStatus::Done);
    EXPECT_EQ(inflated, text);
    EXPECT_EQ(detail, "");

    std::string badSum = compressed;
    badSum.back() = static_cast<char>(badSum.back() ^ 0x55);
    std::string badMiddle = compressed;
    for (std::size_t i = compressed.size() / 2; i < compressed.size() / 2 + 8; ++i) badMiddle[i] = '\xFF';
    const struct {
        const char* what;
        std::string stream;
        const char* detail;  // nullptr: whatever zlib says
    } cases[] = {
        {"wrong check sum", badSum, "incorrect data check"},
        {"damaged in the middle", badMiddle, nullptr},
        {"cut in the middle", compressed.substr(0, compressed.size() / 2), "unexpected end of data"},
        {"check sum missing", compressed.substr(0, compressed.size() - 4), "unexpected end of data"},
        {"not zlib data", "not zlib data", "incorrect header check"},
        {"empty", "", "unexpected end of data"},
    };
    for (const auto& c : cases) {
        inflated = "stale";
        EXPECT_EQ(InflateDescription(c.stream, inflated, detail), InflateStatus::Damaged) << c.what;
        EXPECT_EQ(inflated, "") << c.what;
        if (c.detail) {
            EXPECT_EQ(detail, c.detail) << c.what;
        } else {
            EXPECT_NE(detail, "") << c.what;
        }
    }

    // A stream that inflates beyond the limit is refused, not cut.
    EXPECT_EQ(InflateDescription(compressed, inflated, detail, text.size()), InflateStatus::Done);
    EXPECT_EQ(InflateDescription(compressed, inflated, detail, text.size() - 1), InflateStatus::TooLarge);
    EXPECT_EQ(inflated, "");
}

}  // namespace
}  // namespace vantor
