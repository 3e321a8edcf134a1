// vantor-dat, run as a user runs it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "description/catalogue.h"
#include "description/description_file.h"
#include "platform/compound_file.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

using test::ProgramRun;
using test::readWholeFile;
using test::runProgram;

namespace fs = std::filesystem;

using Dat = test::TemporaryFolderTest;

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST_F(Dat, PackListCatUnpack) {
    const std::string first = "; первый\nroot Устройство 1 0 0\n";
    std::string second;
    for (int i = 0; i < 3000; ++i)
        second += "parameter P" + std::to_string(i) + " int Parameter_" + std::to_string(i) + "\n";
    writeFile("kq-01.tree", first);
    fs::create_directories(folder_ / "sub");
    writeFile("sub/kq-02.tree", second);

    const ProgramRun pack =
        runProgram("vantor-dat", {"pack", path("out.dat"), path("kq-01.tree"), path("sub/kq-02.tree")});
    ASSERT_EQ(pack.status, 0) << pack.err;

    const ProgramRun list = runProgram("vantor-dat", {"list", path("out.dat")});
    EXPECT_EQ(list.status, 0);
    EXPECT_THAT(lines(list.out), ::testing::UnorderedElementsAre("kq-01.tree", "kq-02.tree"));

    const ProgramRun cat = runProgram("vantor-dat", {"cat", path("out.dat"), "kq-01.tree"});
    EXPECT_EQ(cat.status, 0);
    EXPECT_EQ(cat.out, first);

    ASSERT_EQ(runProgram("vantor-dat", {"unpack", path("out.dat"), path("unpacked")}).status, 0);
    EXPECT_EQ(readWholeFile(path("unpacked/kq-01.tree")), first);
    EXPECT_EQ(readWholeFile(path("unpacked/kq-02.tree")), second);
    // The stream is compressed.
    EXPECT_LT(fs::file_size(path("out.dat")), second.size() / 2);
}

TEST_F(Dat, Failures) {
    writeFile("plain.txt", "not a container");
    writeFile("a.tree", "root A 1 0 0\n");
    writeFile("empty.tree", "");
    ASSERT_EQ(runProgram("vantor-dat", {"pack", path("good.dat"), path("a.tree")}).status, 0);
    // Bad usage (2) names the fault above the usage text; a file that cannot be read
    // or written (1) is named alone.
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{}, 2, "no command given"},
        {{"explode"}, 2, "unknown command 'explode'"},
        {{"pack", path("x.dat")}, 2, "pack needs OUT.dat and at least one FILE.tree"},
        {{"list"}, 2, "list needs exactly FILE.dat"},
        {{"cat", path("good.dat")}, 2, "cat needs FILE.dat and STREAM"},
        {{"list", path("missing.dat")}, 1, "cannot read " + path("missing.dat") + ": No such file or directory"},
        {{"list", folder_.string()}, 1, "cannot read " + folder_.string() + ": Is a directory"},
        {{"list", path("plain.txt")}, 1, path("plain.txt") + " is not a readable compound file: No OLE2 signature"},
        {{"cat", path("good.dat"), "kq-09.tree"}, 1, path("good.dat") + ": no stream kq-09.tree in the container"},
        {{"pack", path("x.dat"), path("a.tree"), path("missing.tree")},
         1,
         "cannot read " + path("missing.tree") + ": No such file or directory"},
        {{"pack", path("x.dat"), folder_.string()}, 1, "cannot read " + folder_.string() + ": Is a directory"},
        {{"pack", path("x.dat"), "/dev/null"}, 1, "cannot read /dev/null: not a regular file"},
        {{"pack", path("x.dat"), path("empty.tree")}, 1, "cannot read " + path("empty.tree") + ": the file is empty"},
        {{"pack", path("x.dat"), path("a.tree"), path("a.tree")}, 1, "two files named a.tree"},
        {{"pack", path("no/folder/x.dat"), path("a.tree")},
         1,
         "cannot write " + path("no/folder/x.dat") + ": No such file or directory"},
        {{"unpack", path("plain.txt"), path("dir")},
         1,
         path("plain.txt") + " is not a readable compound file: No OLE2 signature"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no arguments" : c.args[0] + " " + c.args.back());
        const ProgramRun run = runProgram("vantor-dat", c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out, "");
        if (c.status == 2)
            EXPECT_EQ(run.err.rfind("vantor-dat: " + c.message + "\nusage: vantor-dat COMMAND ARGS...\n", 0), 0u)
                << run.err;
        else
            EXPECT_EQ(run.err, "vantor-dat: " + c.message + "\n");
    }
    EXPECT_FALSE(fs::exists(path("missing.dat")));
    EXPECT_FALSE(fs::exists(path("x.dat")));
    EXPECT_EQ(readWholeFile(path("plain.txt")), "not a container");

    const ProgramRun help = runProgram("vantor-dat", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: vantor-dat COMMAND ARGS...\n", 0), 0u) << help.out;
}

// A damaged stream is reported with its name and nothing of it is printed or unpacked;
// the sound streams beside it still unpack.
TEST_F(Dat, DamagedStreamsAreNamedAndNotPassedOn) {
    const std::string text = "root Device 1 0 0\n";
    const std::string good = vantor::DeflateDescription(text);
    std::string badSum = good;
    badSum.back() = static_cast<char>(badSum.back() ^ 0x55);
    // A text past the limit, quickly compressed.
    const std::string huge(vantor::kMaxDescriptionText + 1, 'P');
    uLongf size = compressBound(static_cast<uLong>(huge.size()));
    std::string tooLarge(size, '\0');
    ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(tooLarge.data()), &size, reinterpret_cast<const Bytef*>(huge.data()),
                        static_cast<uLong>(huge.size()), Z_BEST_SPEED),
              Z_OK);
    tooLarge.resize(size);
    ASSERT_TRUE(vantor::writeCompoundFile(path("damaged.dat"), {{"good.tree", good},
                                                                {"sum.tree", badSum},
                                                                {"cut.tree", good.substr(0, good.size() / 2)},
                                                                {"huge.tree", tooLarge}}));
    const struct {
        const char* stream;
        const char* says;
    } cases[] = {
        {"sum.tree", "stream sum.tree is damaged: incorrect data check"},
        {"cut.tree", "stream cut.tree is damaged: unexpected end of data"},
        {"huge.tree", "stream huge.tree inflates to more text than a description can hold"},
    };
    for (const auto& c : cases) {
        const ProgramRun cat = runProgram("vantor-dat", {"cat", path("damaged.dat"), c.stream});
        EXPECT_EQ(cat.status, 1) << c.stream;
        EXPECT_EQ(cat.err, "vantor-dat: " + path("damaged.dat") + ": " + c.says + "\n");
        EXPECT_EQ(cat.out, "") << c.stream;
    }
    const ProgramRun unpack = runProgram("vantor-dat", {"unpack", path("damaged.dat"), path("out")});
    EXPECT_EQ(unpack.status, 1);
    EXPECT_EQ(readWholeFile(path("out/good.tree")), text);
    EXPECT_FALSE(fs::exists(path("out/sum.tree")));
    EXPECT_FALSE(fs::exists(path("out/cut.tree")));
}

// Every model but KQ-14, which has no description; the file keeps the names sorted.
TEST_F(Dat, BuiltContainerHoldsOneStreamPerModel) {
    const ProgramRun list = runProgram("vantor-dat", {"list", VANTOR_BIN_DIR "/vantor.dat"});
    ASSERT_EQ(list.status, 0);
    EXPECT_EQ(list.out,
              "kq-01.tree\nkq-02.tree\nkq-03.tree\nkq-04.tree\nkq-05.tree\nkq-06.tree\nkq-07.tree\nkq-08.tree\n"
              "kq-09.tree\nkq-10.tree\nkq-11.tree\nkq-12.tree\nkq-13.tree\nkq-15.tree\nkq-16.tree\nkq-17.tree\n"
              "kq-18.tree\nkq-19.tree\nkq-20.tree\nkq-21.tree\nkq-22.tree\nkq-23.tree\nkq-24.tree\n");
}

}  // namespace
}  // namespace vantor
