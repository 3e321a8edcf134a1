// vantorctl encode and decode, run as a user runs them.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/run_program.h"

namespace vantor {
namespace {

using test::ProgramRun;

ProgramRun vantorctl(const std::vector<std::string>& args) { return test::runProgram("vantorctl", args); }

struct Case {
    std::vector<std::string> args;
    int status;
    const char* out;
    std::string err;  // for bad usage (2), how stderr begins: the fault, then the usage
};

class CodecCommands : public ::testing::TestWithParam<Case> {};

TEST_P(CodecCommands, PrintTheResult) {
    const Case& c = GetParam();
    const ProgramRun run = vantorctl(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
    if (c.status == 2) {
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
    } else {
        EXPECT_EQ(run.err, c.err);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, CodecCommands,
    ::testing::Values(
        Case{{"encode", "--type", "STORED_DOT", "-12.5"}, 0, "90 7D\n", ""},
        Case{{"encode", "--type", "STORED_DOT", "1234.5"}, 0, "10 30 39\n", ""},
        Case{{"encode", "--type", "STORED_DOT", "--decimals", "3", "12.5"}, 0, "30 30 D4\n", ""},
        Case{{"encode", "--type", "int", "--name", "Addr", "200"}, 0, "00 C8\n", ""},
        Case{{"encode", "--type", "CLK_frm", "12:34"}, 0, "02 F2\n", ""},
        Case{{"encode", "--type", "none:even:odd", "odd"}, 0, "02\n", ""},
        Case{{"encode", "--type", "void", "x"}, 0, "\n", ""},
        Case{{"encode", "--type", "name", "--", "AB.C"}, 0, "4E 18 17 14\n", ""},
        Case{{"encode", "--type", "name", "A+B"}, 1, "", "Not allowed symbol in network name\n"},
        Case{{"encode", "--type", "string", "--name", "dev", "x"},
             1,
             "",
             "Setter method are not defined for the function 'dev'\n"},
        Case{{"encode", "--type", "sint16", "40000"}, 1, "", "Bad value (data encoding impossible)\n"},
        Case{{"decode", "--type", "STORED_DOT", "90 7D"}, 0, "-12.500\n", ""},
        Case{{"decode", "--type", "STORED_DOT", "90", "7d"}, 0, "-12.500\n", ""},
        Case{{"decode", "--type", "float", "7FC00000"}, 0, "Invalid value\n", ""},
        Case{{"decode", "--type", "sint16", "FF FE"}, 0, "-2\n", ""},
        Case{{"decode", "--type", "Yes:No:Maybe_not", "02"}, 0, "Maybe not\n", ""},
        Case{{"decode", "--type", "string", "31 32 33"}, 0, "321\n", ""},
        Case{{"decode", "--type", "int", "01 2C 00"}, 1, "", "Invalid response length: 3\n"},
        Case{{"decode", "--type", "int", "--name", "bPS", "09"}, 1, "", "Response cannot be decoded\n"},
        Case{
            {"encode", "--type", "int"}, 2, "", "vantorctl encode: give one TEXT\nusage: vantorctl encode --type TYPE"},
        Case{{"encode", "200"}, 2, "", "vantorctl encode: --type is required\nusage: vantorctl encode --type TYPE"},
        Case{{"encode", "--type", "STORED_DOT", "--decimals", "x", "1"},
             2,
             "",
             "vantorctl encode: --decimals takes a whole number from 0 to 3, not 'x'\nusage: vantorctl encode --type "
             "TYPE"},
        Case{{"decode", "--type", "int", "0G"},
             2,
             "",
             "vantorctl decode: HEX must be pairs of hex digits\nusage: vantorctl decode --type TYPE"},
        Case{{"decode", "--type", "int", "012"},
             2,
             "",
             "vantorctl decode: HEX must be pairs of hex digits\nusage: vantorctl decode --type TYPE"},
        Case{{"decode", "--type", "int", "--colour", "red", "01"},
             2,
             "",
             "vantorctl decode: unknown option '--colour'\nusage: vantorctl decode --type TYPE"}));

TEST(CodecCommandHelp, DescribesEachCommand) {
    for (const char* command : {"encode", "decode"}) {
        const ProgramRun run = vantorctl({command, "--help"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.rfind(std::string("usage: vantorctl ") + command + " --type TYPE", 0), 0u) << run.out;
    }
}

}  // namespace
}  // namespace vantor
