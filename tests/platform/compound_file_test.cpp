// The compound file that holds the description streams: streams written and read back
// by name, the format's limit on names, and a reader that never creates or changes a
// file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/compound_file.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using test::readWholeFile;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

using CompoundFile = test::TemporaryFolderTest;

TEST_F(CompoundFile, StreamsReadBackByNameInAnyLetterCase) {
    const std::string binary("\x78\x9C\x00\xFF\r\n", 6);
    ASSERT_TRUE(writeCompoundFile(path("a.dat"), {{"old.tree", "replaced"}}));
    ASSERT_TRUE(writeCompoundFile(path("a.dat"), {{"kq-02.tree", binary}, {"KQ-01.Tree", ""}}));

    CompoundFileReader reader;
    ASSERT_TRUE(reader.open(path("a.dat")));
    EXPECT_THAT(reader.streamNames(), UnorderedElementsAre("kq-02.tree", "KQ-01.Tree"));
    std::string bytes;
    EXPECT_EQ(reader.readStream("KQ-02.TREE", bytes), CompoundFileReader::StreamRead::Read);
    EXPECT_EQ(bytes, binary);
    EXPECT_EQ(reader.readStream("kq-01.tree", bytes), CompoundFileReader::StreamRead::Read);
    EXPECT_EQ(bytes, "");
    bytes = "stale";
    EXPECT_EQ(reader.readStream("old.tree", bytes), CompoundFileReader::StreamRead::Missing);
    EXPECT_EQ(bytes, "");
}

// 31 UTF-16 units, whatever the name's length in UTF-8; a refused name writes nothing.
TEST_F(CompoundFile, NamesHoldAtMost31Utf16Units) {
    const std::string beyondTheBasicPlane = "\xF0\x9F\x98\x80";  // two UTF-16 units
    const struct {
        std::string name;
        bool fits;
    } cases[] = {
        {std::string(31, 'a'), true},
        {std::string(32, 'a'), false},
        {"описание-модели-номер-один.tree", true},  // 31 characters, 54 bytes
        {"описание-модели-номер-один.trees", false},
        {std::string(29, 'a') + beyondTheBasicPlane, true},
        {std::string(30, 'a') + beyondTheBasicPlane, false},
        {"", false},
    };
    int file = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string dat = path(std::to_string(++file) + ".dat");
        std::string error;
        EXPECT_EQ(writeCompoundFile(dat, {{c.name, "x"}}, &error), c.fits);
        if (!c.fits) {
            EXPECT_EQ(error, "stream name '" + c.name + "' must have 1 to 31 characters");
            EXPECT_FALSE(fs::exists(dat));
            continue;
        }
        CompoundFileReader reader;
        ASSERT_TRUE(reader.open(dat));
        EXPECT_THAT(reader.streamNames(), ElementsAre(c.name));
    }
}

TEST_F(CompoundFile, ReaderNeverCreatesOrChangesAFile) {
    std::ofstream(path("plain.txt"), std::ios::binary) << "not a container";
    struct Case {
        std::string file;
        std::string error;
    };
    const Case cases[] = {{"missing.dat", "cannot read " + path("missing.dat") + ": No such file or directory"},
                          {"plain.txt", path("plain.txt") + " is not a readable compound file: No OLE2 signature"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CompoundFileReader reader;
        std::string error;
        EXPECT_FALSE(reader.open(path(c.file), &error));
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(reader.isOpen());
        EXPECT_TRUE(reader.streamNames().empty());
    }
    EXPECT_FALSE(fs::exists(path("missing.dat")));
    EXPECT_EQ(readWholeFile(path("plain.txt")), "not a container");
}

}  // namespace
}  // namespace vantor
