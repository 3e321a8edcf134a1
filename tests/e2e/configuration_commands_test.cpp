// The configuration workflow of vantorctl against vantor-sim: save the module into a
// file, edit the file, write back only the change, compare, diff; and the desktop
// program's own command line run as a job.

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "platform/settings_store.h"
#include "protocol/name_hash.h"
#include "support/named_semaphore.h"
#include "support/temporary_config_home.h"

namespace vantor {
namespace {

using test::runProgram;

class ConfigurationCommands : public test::SimSession {
protected:
    ConfigurationCommands() : a_(temporaryPath("a.vantor")), b_(temporaryPath("b.vantor")) {}
    ~ConfigurationCommands() override {
        std::filesystem::remove(a_);
        std::filesystem::remove(b_);
    }
    static std::string temporaryPath(const std::string& name) { return test::temporaryPath(name); }
    const std::string a_, b_;
};

TEST_F(ConfigurationCommands, SaveEditLoadTheChangeCompareAndDiff) {
    test::ProgramRun run = ctl("save", {a_});
    ASSERT_EQ(run.status, 0) << run.err;
    std::filesystem::copy_file(a_, b_);

    run = runProgram("vantorctl", {"set", "--file", b_, "Rs.dL", "25"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Rs.dL\t25\n");
    run = runProgram("vantorctl", {"set", "--file", b_, "Rs.dL", "100000"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("refuses '100000'"), std::string::npos) << run.err;

    run = runProgram("vantorctl", {"diff", a_, b_});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out, "Network parameters / Rs.dL\t0 [read/write, unknown]\t25 [changed, read/write, unknown]\n");
    EXPECT_EQ(runProgram("vantorctl", {"diff", a_, a_}).status, 0);

    // Only the edited parameter goes to the module, besides the identification.
    const std::size_t before = requestHashes().size();
    run = ctl("load", {"--changes", b_});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::uint16_t> sent = requestHashes();
    sent.erase(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(before));
    for (const char* identification : {"dev", "ver", "tdev"}) std::erase(sent, hash_name(identification));
    EXPECT_EQ(sent, std::vector<std::uint16_t>{hash_name("Rs.dL")});

    run = ctl("compare", {b_});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "No difference found\n");
    run = ctl("compare", {a_});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_EQ(run.out.rfind("Differences: 1:\n1. Parameter 'Rs.dL' (", 0), 0u) << run.out;

    run = runProgram("vantorctl", {"show", "--format", "tsv", b_});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Network parameters\tRs.dL\t\t25\t\tchanged\tread/write\tunknown\n"), std::string::npos)
        << run.out;
}

TEST_F(ConfigurationCommands, AFileOfAnotherModelIsRefusedUnlessForced) {
    ASSERT_EQ(ctl("save", {a_}).status, 0);
    test::ProgramRun run = ctl("load", {"--model", "KQ-17", a_});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("holds a configuration of KQ-16, the module is a KQ-17 (--force loads it)"),
              std::string::npos)
        << run.err;
}

// The original command line: the port comes from the saved program settings.
class CommandLineJobs : public ConfigurationCommands {
protected:
    CommandLineJobs() { OpenSettings(SettingsScope::PerUser)->writeString("port_path", port_); }
    test::ProgramRun job(std::vector<std::string> args) {
        args.insert(args.begin(), "job");
        return runProgram("vantorctl", args);
    }
    test::TemporaryConfigHome home_;
};

TEST_F(CommandLineJobs, ReadJobWithMixedCaseOptionsSavesTheFile) {
    test::ProgramRun run = job({"/READ/BPS:9600/Close", a_});
    EXPECT_EQ(run.status, 0) << run.err;
    run = runProgram("vantorctl", {"show", "--format", "tsv", a_});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Identification\tdev\t\tkq-15\t"), std::string::npos) << run.out;
}

TEST_F(CommandLineJobs, WriteWithoutAFileEndsWith200AndSendsNothing) {
    { std::ofstream empty(a_); }
    EXPECT_EQ(job({"/write", a_}).status, 200);
    EXPECT_EQ(job({"/write"}).status, 200);
    EXPECT_EQ(loggedFrames(), 0u);
}

TEST_F(CommandLineJobs, TheExitEventEndsTheJobWith205) {
    const std::string name = "vantor-e2e-exit-" + std::to_string(::getpid());
    ASSERT_TRUE(test::postNamedSemaphore(name));
    EXPECT_EQ(job({"/read/exitevent:" + name, a_}).status, 205);
}

}  // namespace
}  // namespace vantor
