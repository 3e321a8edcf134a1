// vantorctl describe, run as the description writers run it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "description/description_file.h"
#include "platform/compound_file.h"
#include "support/run_program.h"

namespace vantor {
namespace {

using test::ProgramRun;
using test::runProgram;

namespace fs = std::filesystem;

class Describe : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = (fs::temp_directory_path() / ("vantor-describe-" + std::to_string(::getpid()) + ".tree")).string();
    }
    void TearDown() override { fs::remove(file_); }
    ProgramRun describeText(const std::string& text, std::vector<std::string> extra = {}) {
        std::ofstream(file_, std::ios::binary) << text;
        std::vector<std::string> args{"describe", "--tree-file", file_};
        args.insert(args.end(), extra.begin(), extra.end());
        return runProgram("vantorctl", args);
    }
    std::string file_;
};

constexpr const char* kModule =
    "; test module\n"
    "type Rates 9600 19200\n"
    "parameter bPS Rates Baud_rate\n"
    "parameter Addr int Address\n"
    "rule Addr 1 247.5\n"
    "init Addr 16\n"
    "parameter !ver string Version noattr\n"
    "parameter In.t float:2 Input table1+ 3\n"
    "#if ver >= 2.1\n"
    "parameter In.f int Filter\n"
    "#else\n"
    "parameter In.f int Old_filter\n"
    "#endif\n"
    "branch Network_parameters 1 4 4 bPS Addr\n"
    "branch Input# 2 5 6 In.t In.f\n"
    "root Device 1 0 0 !ver Network_parameters Input#\n"
    "parameter r.oe int State\n"
    "branch Out 2 7 7 r.oe\n"
    "scanners Sampled 1 0 0 Out\n";

TEST_F(Describe, TsvListsBothTreesDepthFirst) {
    const ProgramRun run = describeText(kModule, {"--format", "tsv", "--firmware", "2.1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "B\t0\tDevice\t1\t1\t0\t0\n"
              "P\t1\tver\t0\t0\t0\tstring\t0\t0\t0\t\t0\t0\t0\tVersion\n"
              "B\t1\tNetwork parameters\t1\t1\t4\t4\n"
              "P\t2\tbPS\t0\t0\t0\t9600:19200\t0\t0\t0\t\t1\t1\t0\tBaud rate\n"
              "P\t2\tAddr\t0\t0\t0\tint\t0\t1\t247.5\t16\t1\t1\t0\tAddress\n"
              "B\t1\tInput 1\t2\t1\t5\t6\n"
              "P\t2\tIn.t\t1\t0\t0\tfloat\t2\t0\t0\t\t1\t1\t1\tInput\n"
              "P\t2\tIn.f\t1\t0\t0\tint\t0\t0\t0\t\t1\t1\t0\tFilter\n"
              "B\t1\tInput 2\t2\t2\t5\t6\n"
              "P\t2\tIn.t\t1\t1\t0\tfloat\t2\t0\t0\t\t1\t1\t1\tInput\n"
              "P\t2\tIn.f\t1\t1\t0\tint\t0\t0\t0\t\t1\t1\t0\tFilter\n"
              "SB\t0\tSampled\t1\t1\t0\t0\n"
              "SB\t1\tOut 1\t2\t1\t7\t7\n"
              "SP\t2\tr.oe\t0\t0\t0\tint\t0\t0\t0\t\t1\t1\t0\tOut 1\n"
              "SB\t1\tOut 2\t2\t2\t7\t7\n"
              "SP\t2\tr.oe\t0\t1\t1\tint\t0\t0\t0\t\t1\t1\t0\tOut 2\n");
}

TEST_F(Describe, WithoutFirmwareTheElsePartIsUsed) {
    const ProgramRun run = describeText(kModule, {"--format", "tsv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\tIn.f\t1\t0\t0\tint\t0\t0\t0\t\t1\t1\t0\tOld filter\n"), std::string::npos);
    EXPECT_EQ(run.out.find("\tFilter\n"), std::string::npos);
}

TEST_F(Describe, MessagesGoToStderrOnePerLine) {
    const ProgramRun run = describeText("root Device 1 0 0\nparameter A int a\nrule a 1\nnext line\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Tree cannot be created\n");
    EXPECT_EQ(describeText("root Device 1 0 0 A\n").err, "Unknown symbol\nTree cannot be created\n");
    EXPECT_EQ(describeText("frobnicate\tthis\n").err,
              "Unknown function 'frobnicate\tthis' in descriptor\nTree cannot be created\nTree root is not defined\n");
}

TEST_F(Describe, BadUsage) {
    const struct {
        std::vector<std::string> args;
        std::string reason;
    } cases[] = {
        {{"describe"}, "give either --model or --tree-file"},
        {{"describe", "--model", "KQ-01", "--tree-file", "x.tree"}, "give either --model or --tree-file"},
        {{"describe", "--model", "KQ-99"}, "--model takes a model name or index from 0 to 22, not 'KQ-99'"},
        {{"describe", "--model", "0", "--format", "xml"}, "--format is text or tsv"},
        {{"describe", "--model", "0", "--firmware", "two"},
         "--firmware takes MAJ.MIN, two whole numbers from 0 to 2147483647, not 'two'"},
        {{"describe", "--model"}, "--model needs a value"},
        {{"describe", "--model", "0", "--colour", "red"}, "unknown option '--colour'"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runProgram("vantorctl", c.args);
        EXPECT_EQ(run.status, 2) << c.reason;
        EXPECT_EQ(run.out, "") << c.reason;
        EXPECT_EQ(run.err.rfind("vantorctl describe: " + c.reason + "\nusage: vantorctl describe", 0), 0u) << run.err;
    }
}

// The keyed message and, beneath it (on the same stderr line), the file and the reason.
TEST_F(Describe, UnreadableContainerOrFile) {
    const std::string folder = fs::temp_directory_path().string();
    const std::string damaged = file_ + ".dat";
    std::string stream = DeflateDescription("root Device 1 0 0\n");
    stream.back() = static_cast<char>(stream.back() ^ 0x55);
    ASSERT_TRUE(writeCompoundFile(damaged, {{"kq-01.tree", stream}}));
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--model", "KQ-01", "--dat", file_ + ".missing"},
         "Tree file opening error\n  cannot read " + file_ + ".missing: No such file or directory\n"},
        {{"--model", "KQ-01", "--dat", folder},
         "Tree file opening error\n  cannot read " + folder + ": Is a directory\n"},
        {{"--model", "KQ-01", "--dat", damaged},
         "Tree file opening error\n  " + damaged + ": stream kq-01.tree is damaged: incorrect data check\n"},
        {{"--tree-file", file_ + ".missing"},
         "vantorctl describe: cannot read " + file_ + ".missing: No such file or directory\n"},
        {{"--tree-file", folder}, "vantorctl describe: cannot read " + folder + ": Is a directory\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"describe"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProgramRun run = runProgram("vantorctl", args);
        EXPECT_EQ(run.status, 1) << c.args.back();
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "") << c.args.back();
    }
    EXPECT_FALSE(fs::exists(file_ + ".missing"));
    fs::remove(damaged);
}

// Each model by its index: the tree under the model's name, every line of both trees.
TEST_F(Describe, EveryShippedModelDescribesWithoutMessage) {
    const struct {
        const char* name;
        long lines;
    } models[] = {
        {"KQ-01", 117}, {"KQ-02", 132}, {"KQ-03", 104}, {"KQ-04", 86},  {"KQ-05", 181}, {"KQ-06", 90},
        {"KQ-07", 51},  {"KQ-08", 38},  {"KQ-09", 155}, {"KQ-10", 162}, {"KQ-11", 77},  {"KQ-12", 95},
        {"KQ-13", 258}, {"KQ-15", 41},  {"KQ-16", 95},  {"KQ-17", 166}, {"KQ-18", 166}, {"KQ-19", 65},
        {"KQ-20", 52},  {"KQ-21", 59},  {"KQ-22", 87},  {"KQ-23", 47},  {"KQ-24", 47},
    };
    for (int model = 0; model < static_cast<int>(std::size(models)); ++model) {
        SCOPED_TRACE(models[model].name);
        const ProgramRun run = runProgram("vantorctl", {"describe", "--model", std::to_string(model)});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.rfind(models[model].name + std::string("\n  Identification\n"), 0), 0u);
        EXPECT_NE(run.out.find("\n\nsampled:\n"), std::string::npos);
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), models[model].lines);
    }
}

}  // namespace
}  // namespace vantor
