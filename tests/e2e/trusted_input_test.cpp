// What the programs refuse before anything reaches the module, and the desktop program
// where there is no display: a value text that is not wholly a number, network settings
// of the command line that the settings do not take (neither used nor kept), and vantor
// started over SSH or from cron.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e/sim_session.h"
#include "platform/settings_store.h"
#include "protocol/name_hash.h"
#include "support/temporary_config_home.h"

namespace vantor {
namespace {

using test::ProgramRun;
using test::runProgram;

class TrustedInput : public test::SimSession {
protected:
    TrustedInput() : file_(test::temporaryPath("trusted-input.vantor")) {
        OpenSettings(SettingsScope::PerUser)->writeString("port_path", port_);
    }
    ~TrustedInput() override { std::filesystem::remove(file_); }

    // The requests for `name` the module received.
    std::size_t requestsFor(const char* name) const {
        std::size_t count = 0;
        for (const std::uint16_t hash : requestHashes()) count += hash == hash_name(name);
        return count;
    }

    test::TemporaryConfigHome home_;
    const std::string file_;
};

TEST_F(TrustedInput, SetOfATextThatIsNotWhollyANumberSendsNothingAndFails) {
    for (const char* text : {"1.5x", "2..5", "1.5 7", "--", ""}) {
        const ProgramRun run = ctl("set", {"FLt:1", "--", text});
        EXPECT_EQ(run.status, 1) << text;
        EXPECT_NE(run.err.find("refuses '" + std::string(text) + "'"), std::string::npos) << run.err;
    }
    EXPECT_EQ(requestsFor("FLt"), 0u);

    // A decimal comma is the decimal point: 1,5 is written as 1.5, not 1.
    const ProgramRun run = ctl("set", {"FLt:1", "1,5"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "FLt:1\t1.500\n");
    EXPECT_EQ(ctl("get", {"FLt:1"}).out, "FLt:1\t1.500\n");
}

TEST_F(TrustedInput, SetFileRefusesTheSameTextsAndKeepsTheFile) {
    ASSERT_EQ(ctl("save", {file_}).status, 0);
    const std::string saved = test::readWholeFile(file_);
    const ProgramRun run = runProgram("vantorctl", {"set", "--file", file_, "FLt:1", "2..5"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("refuses '2..5'"), std::string::npos) << run.err;
    EXPECT_EQ(test::readWholeFile(file_), saved);
}

TEST_F(TrustedInput, JobNetworkSettingsTheSettingsRefuseAreNeitherUsedNorKept) {
    for (const char* options : {"/addr:99999/read/close", "/addr:-5/read/close", "/port:999999999999/read/close",
                                "/bps:12345/read/close", "/prty:even/len:8/sbit:2/read/close"}) {
        const ProgramRun run = runProgram("vantorctl", {"job", options, file_});
        EXPECT_EQ(run.status, 201) << options;
        EXPECT_NE(run.err, "") << options;
        EXPECT_FALSE(std::filesystem::exists(file_)) << options;
        const auto settings = OpenSettings(SettingsScope::PerUser);
        EXPECT_EQ(settings->readInteger("address").value_or(16), 16u) << options;
        EXPECT_EQ(settings->readInteger("baud_rate").value_or(9600), 9600u) << options;
        EXPECT_EQ(settings->readString("port_path"), std::optional<std::string>(port_)) << options;
    }
    EXPECT_EQ(loggedFrames(), 0u);
    // The saved settings still reach the module.
    EXPECT_EQ(runProgram("vantorctl", {"identify"}).status, 0);
    EXPECT_EQ(runProgram("vantorctl", {"job", "/addr:16/read/close", file_}).status, 0);
}

// The environment of a session without a display, for the test's lifetime.
class NoDisplay {
public:
    NoDisplay() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
            ::unsetenv(name);
        }
    }
    ~NoDisplay() {
        for (std::size_t i = 0; i < saved_.size(); ++i)
            if (saved_[i]) ::setenv(kNames[i], saved_[i]->c_str(), 1);
    }
    NoDisplay(const NoDisplay&) = delete;
    NoDisplay& operator=(const NoDisplay&) = delete;

private:
    static constexpr const char* kNames[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(TrustedInput, WithoutADisplayHelpPrintsAJobRunsAndAnInteractiveStartSaysWhy) {
    const NoDisplay noDisplay;
    ProgramRun run = runProgram("vantor", {"--help"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("usage: vantor ", 0), 0u) << run.out;

    run = runProgram("vantor", {"/read/close", file_});
    EXPECT_EQ(run.status, 0) << run.err;
    const ProgramRun shown = runProgram("vantorctl", {"show", file_});
    EXPECT_EQ(shown.out.rfind("KQ-16\n", 0), 0u) << shown.out;

    for (const std::vector<std::string>& interactive : {std::vector<std::string>{}, {file_}, {"/read", file_}}) {
        run = runProgram("vantor", interactive);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind("vantor: no display found", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
}

}  // namespace
}  // namespace vantor
