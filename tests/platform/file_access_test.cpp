#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "platform/file_access.h"

#include "support/temporary_folder.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;

class FileAccess : public test::TemporaryFolderTest {
protected:
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
        return names;
    }
    std::string content(const std::string& name) const {
        std::string bytes, reason;
        EXPECT_TRUE(readFile(path(name), bytes, reason)) << reason;
        return bytes;
    }
};

TEST_F(FileAccess, ReadsWholeFilesAndSaysWhyNot) {
    // More than one read's worth, with bytes a text stream would change.
    std::string bytes("a\0b\r\n\xFF", 6);
    while (bytes.size() < 200000) bytes += bytes;
    std::ofstream(path("data"), std::ios::binary) << bytes;
    EXPECT_EQ(content("data"), bytes);

    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {folder_.string(), "Is a directory"},
        {path("missing"), "No such file or directory"},
    };
    for (const auto& c : cases) {
        std::string read = "stale", reason;
        EXPECT_FALSE(readFile(c.path, read, reason)) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
        EXPECT_EQ(read, "") << c.path;
    }

    std::string read, reason;
    EXPECT_TRUE(readFile(path("data"), read, reason, bytes.size()));
    EXPECT_FALSE(readFile(path("data"), read, reason, bytes.size() - 1));
    EXPECT_EQ(reason, "more than " + std::to_string(bytes.size() - 1) + " bytes");
    EXPECT_EQ(read, "");
}

TEST_F(FileAccess, RefusesDevicesAndFilesAboveTheLimitBeforeReading) {
    std::ofstream(path("large"), std::ios::binary) << "x";
    fs::resize_file(path("large"), 1000);
    const struct {
        std::string path;
        std::size_t limit;
        const char* reason;
    } cases[] = {
        {"/dev/zero", kReadFileLimit, "Not a regular file"},  // endless: it would fill the memory
        {"/dev/null", kReadFileLimit, "Not a regular file"},
        {path("large"), 999, "more than 999 bytes"},
    };
    for (const auto& c : cases) {
        std::string read = "stale", reason;
        EXPECT_FALSE(readFile(c.path, read, reason, c.limit)) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
        EXPECT_EQ(read, "") << c.path;
    }
}

TEST_F(FileAccess, SavesNeverReplaceWhatIsNotARegularFile) {
    const std::string fifo = path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& target : {fifo, std::string("/dev/null")}) {
        std::string reason;
        EXPECT_FALSE(canSaveFile(target, reason)) << target;
        EXPECT_EQ(reason, "Not a regular file") << target;
        reason.clear();
        EXPECT_FALSE(saveFileAtomically(target, "x", reason)) << target;
        EXPECT_EQ(reason, "Not a regular file") << target;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(entries(), std::set<std::string>{"fifo"});
    // A link to a regular file is saved through.
    std::string reason;
    ASSERT_TRUE(saveFileAtomically(path("target"), "first", reason)) << reason;
    fs::create_symlink(path("target"), path("link"));
    EXPECT_TRUE(saveFileAtomically(path("link"), "second", reason)) << reason;
    EXPECT_EQ(content("target"), "second");
}

TEST_F(FileAccess, SaveReplacesTheWholeFileAndLeavesNothingElse) {
    std::string reason;
    ASSERT_TRUE(saveFileAtomically(path("state"), "first version, the longer one", reason)) << reason;
    fs::permissions(path("state"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(saveFileAtomically(path("state"), "second", reason)) << reason;
    EXPECT_EQ(content("state"), "second");
    EXPECT_EQ(fs::status(path("state")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::create_directories(path("taken"));
    EXPECT_FALSE(saveFileAtomically(path("taken"), "x", reason));
    EXPECT_NE(reason, "");
    EXPECT_FALSE(saveFileAtomically(path("no/folder/state"), "x", reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_EQ(entries(), (std::set<std::string>{"state", "taken"}));
    EXPECT_EQ(content("state"), "second");
}

TEST_F(FileAccess, CanSaveFindsOutWithoutLeavingAFile) {
    std::string reason;
    EXPECT_TRUE(canSaveFile(path("new"), reason)) << reason;
    EXPECT_TRUE(entries().empty());
    EXPECT_FALSE(canSaveFile(path("no/folder/new"), reason));
    EXPECT_EQ(reason, "No such file or directory");
    EXPECT_FALSE(canSaveFile(folder_.string(), reason));
    EXPECT_NE(reason, "");
}

}  // namespace
}  // namespace vantor
