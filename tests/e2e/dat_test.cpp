// vantor-dat, run as a user runs it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "description/catalogue.h"
#include "support/run_program.h"

namespace vantor::testing {
namespace {

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
    struct Case {
        std::vector<std::string> args;
        int status;
    };
    const Case cases[] = {
        {{}, 2},
        {{"explode"}, 2},
        {{"pack", path("x.dat")}, 2},
        {{"list"}, 2},
        {{"cat", path("good.dat")}, 2},
        {{"list", path("missing.dat")}, 1},
        {{"list", path("plain.txt")}, 1},
        {{"cat", path("good.dat"), "kq-09.tree"}, 1},
        {{"pack", path("x.dat"), path("a.tree"), path("missing.tree")}, 1},
        {{"pack", path("x.dat"), path("a.tree"), path("a.tree")}, 1},
        {{"unpack", path("plain.txt"), path("dir")}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no arguments" : c.args[0]);
        const ProgramRun run = runProgram("vantor-dat", c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err, "");
    }
    EXPECT_FALSE(fs::exists(path("missing.dat")));
    EXPECT_FALSE(fs::exists(path("x.dat")));
    EXPECT_EQ(readWholeFile(path("plain.txt")), "not a container");

    const ProgramRun help = runProgram("vantor-dat", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: vantor-dat"), std::string::npos);
}

TEST_F(Dat, BuiltContainerHoldsOneStreamPerModel) {
    const ProgramRun list = runProgram("vantor-dat", {"list", VANTOR_BIN_DIR "/vantor.dat"});
    ASSERT_EQ(list.status, 0);
    std::vector<std::string> expected;
    for (const auto& model : modelCatalogue()) expected.push_back(model.stream);
    EXPECT_THAT(lines(list.out), ::testing::UnorderedElementsAreArray(expected));
}

}  // namespace
}  // namespace vantor::testing
