// The desktop program run by its original command line against vantor-sim, on the
// offscreen platform: the read job saves the file and closes with exit code 0; a write
// job without a file ends with 200 before any window.

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "platform/settings_store.h"
#include "support/temporary_config_home.h"

namespace vantor {
namespace {

using test::runProgram;

class DesktopJobs : public test::SimSession {
protected:
    DesktopJobs() : file_(test::temporaryPath("desktop.vantor")) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        OpenSettings(SettingsScope::PerUser)->writeString("port_path", port_);
    }
    ~DesktopJobs() override { std::filesystem::remove(file_); }

    test::TemporaryConfigHome home_;
    const std::string file_;
};

TEST_F(DesktopJobs, ReadAndCloseSavesTheModuleIntoTheFile) {
    const test::ProgramRun run = runProgram("vantor", {"/read/close", file_});
    ASSERT_EQ(run.status, 0) << run.err;
    const test::ProgramRun shown = runProgram("vantorctl", {"show", "--format", "tsv", file_});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Identification\tdev\t\tkq-15\t"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("Network parameters\tAddr\t\t16\t"), std::string::npos) << shown.out;
}

TEST_F(DesktopJobs, WriteWithAnEmptyFileEndsWith200) {
    { std::ofstream empty(file_); }
    EXPECT_EQ(runProgram("vantor", {"/write/close", file_}).status, 200);
    EXPECT_EQ(loggedFrames(), 0u);
}

}  // namespace
}  // namespace vantor
