// vantor-dat, run as a user runs it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/run_program.h"

namespace vantor {
namespace {

using test::ProgramRun;
using test::readWholeFile;
using test::runProgram;

namespace fs = std::filesystem;

class Dat : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vantor-dat-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    void writeFile(const std::string& name, const std::string& content) const {
        std::ofstream(path(name), std::ios::binary) << content;
    }
    fs::path folder_;
};

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
        {{"list", path("missing.dat")}, 1, path("missing.dat") + ": No such file or directory"},
        {{"list", path("plain.txt")}, 1, "No OLE2 signature"},
        {{"cat", path("good.dat"), "kq-09.tree"}, 1, "no stream kq-09.tree"},
        {{"pack", path("x.dat"), path("a.tree"), path("missing.tree")}, 1, "cannot read " + path("missing.tree")},
        {{"pack", path("x.dat"), path("a.tree"), path("a.tree")}, 1, "two files named a.tree"},
        {{"unpack", path("plain.txt"), path("dir")}, 1, "No OLE2 signature"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no arguments" : c.args[0]);
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
