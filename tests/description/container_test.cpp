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

namespace vantor {
namespace {

using test::dumpTree;
using test::RecordingUserInterface;
using test::runProgram;

namespace fs = std::filesystem;
using ::testing::UnorderedElementsAre;

class DescriptionContainer : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vantor-container-" + std::to_string(::getpid()) + "-" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    void writeFile(const std::string& name, const std::string& content) const {
        std::ofstream(path(name), std::ios::binary) << content;
    }
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
    std::string text;
    ASSERT_TRUE(ReadDescriptionStream(path("test.dat"), "kq-03.tree", text));
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

TEST_F(DescriptionContainer, UnreadableDescriptionsFailWithoutTouchingTheFile) {
    writeFile("not-a-container.dat", "root Device 1 0 0\n");
    ASSERT_TRUE(
        writeCompoundFile(path("other.dat"), {{"kq-02.tree", DeflateDescription("root D 1 0 0")}, {"kq-01.tree", ""}}));
    struct Case {
        const char* file;
        int model;
    };
    const Case cases[] = {{"missing.dat", 0}, {"not-a-container.dat", 0}, {"other.dat", 5}, {"other.dat", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " model " + std::to_string(c.model));
        RecordingUserInterface ui;
        TreeDescription description(ui);
        description.descriptionFile = path(c.file);
        EXPECT_FALSE(description.LoadTreeDescription(c.model));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Tree file opening error");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(description.rootBranch, nullptr);
    }
    EXPECT_FALSE(fs::exists(path("missing.dat")));
    EXPECT_EQ(readFile("not-a-container.dat"), "root Device 1 0 0\n");
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

// `text` as one zlib stream with a full flush after its first `at` bytes: the length of
// the compressed stream up to the flush, and the whole stream.
std::pair<std::size_t, std::string> deflateFlushedAt(const std::string& text, std::size_t at) {
    z_stream zs{};
    deflateInit(&zs, Z_BEST_COMPRESSION);
    std::string out(compressBound(static_cast<uLong>(text.size())) + 64, '\0');
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = static_cast<uInt>(out.size());
    const auto feed = [&](std::size_t from, std::size_t length, int flush) {
        zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data() + from));
        zs.avail_in = static_cast<uInt>(length);
        deflate(&zs, flush);
    };
    feed(0, at, Z_FULL_FLUSH);
    const std::size_t flushed = zs.total_out;
    feed(at, text.size() - at, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return {flushed, out};
}

TEST(DescriptionStreamInflate, KeepsWhatWasInflatedBeforeAnError) {
    std::string text;
    for (int i = 0; text.size() < 100000; ++i) text += "parameter P" + std::to_string(i * 7919 % 10007) + " int d\n";
    const std::string compressed = DeflateDescription(text);
    EXPECT_EQ(InflateDescription(compressed), text);

    // A wrong check sum is found only after the last byte was inflated.
    std::string badSum = compressed;
    badSum.back() = static_cast<char>(badSum.back() ^ 0x55);
    EXPECT_EQ(InflateDescription(badSum), text);

    // Flushed after its first 40000 bytes (more than two steps of output), a stream cut
    // there or damaged from there on inflates to exactly those bytes.
    const std::size_t flushedAt = 40000;
    const auto [flushed, whole] = deflateFlushedAt(text, flushedAt);
    ASSERT_EQ(InflateDescription(whole), text);
    const std::string head = text.substr(0, flushedAt);
    EXPECT_EQ(InflateDescription(whole.substr(0, flushed)), head);
    EXPECT_EQ(InflateDescription(whole.substr(0, flushed) + "\xFF damaged"), head);  // reserved block type

    EXPECT_EQ(InflateDescription("not zlib data"), "");

    // A stream that inflates beyond the limit is refused, not cut.
    EXPECT_EQ(InflateDescription(compressed, text.size()), text);
    EXPECT_EQ(InflateDescription(compressed, text.size() - 1), "");
}

}  // namespace
}  // namespace vantor
