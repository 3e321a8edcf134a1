// vantorctl --trace against vantor-sim on a pseudo-terminal: one line per frame on
// stderr, the command's own output unchanged.

#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"

namespace vantor {
namespace {

using test::ProgramRun;

class Trace : public test::SimSession {
protected:
    // The time stamps vary from run to run: each becomes "T".
    static std::string withoutTimes(const std::string& lines) {
        return std::regex_replace(lines, std::regex("^ *[0-9]+\\.[0-9]{3} ms", std::regex::multiline), "T ms");
    }
};

// The identification ("dev", the strain-gauge variant "tdev", "ver") before the command's
// own frames.
const std::string kIdentification =
    "T ms  ->    16  dev         read\n"
    "T ms  <-    16  dev         reply  35 31 2D 71 6B  = kq-15  ok\n"
    "T ms  ->    16  tdev        read\n"
    "T ms  <-    16  tdev        reply  01  ok\n"
    "T ms  ->    16  ver         read\n"
    "T ms  <-    16  ver         reply  30 2E 31  = 1.0  ok\n";

TEST_F(Trace, GetAndSetPrintEveryFrameOnStandardError) {
    ProgramRun run = ctl("get", {"--trace", "Addr", "bPS"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Addr\t16\nbPS\t9600\n");
    EXPECT_EQ(withoutTimes(run.err), kIdentification +
                                         "T ms  ->    16  Addr        read\n"
                                         "T ms  <-    16  Addr        reply  00 10  = 16  ok\n"
                                         "T ms  ->    16  bPS         read\n"
                                         "T ms  <-    16  bPS         reply  02  = 9600  ok\n");

    run = ctl("set", {"--trace", "bPS", "9600"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(withoutTimes(run.err), kIdentification +
                                         "T ms  ->    16  bPS         write  02  = 9600\n"
                                         "T ms  <-    16  bPS         reply  02  = 9600  ok\n");
}

TEST_F(Trace, WithoutTheOptionNothingIsTraced) {
    const ProgramRun run = ctl("get", {"Addr"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Addr\t16\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(Trace, TheOptionIsInTheLinkOptionsUsage) {
    const ProgramRun run = ctl("get", {"--bogus"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--trace          one line on stderr for every frame sent and received\n"),
              std::string::npos)
        << run.err;
}

}  // namespace
}  // namespace vantor
