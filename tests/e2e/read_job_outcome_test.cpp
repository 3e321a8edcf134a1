// What a script sees of vantorctl's read jobs and module commands when the line or the
// person gets in the way: SIGTERM and Ctrl+C end a command with 205 at once, a read with
// failed parameters never exits 0, an unfinished read never takes the place of the file,
// and a save never replaces what is not a regular file.

#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/settings_store.h"
#include "support/run_program.h"
#include "support/temporary_config_home.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

namespace fs = std::filesystem;
using test::BackgroundProgram;
using test::ProgramRun;
using test::readWholeFile;
using test::runProgram;

constexpr char kPrevious[] = "the engineer's previous file";

// A KQ-16 on a pseudo-terminal with `faults`.
struct Module {
    explicit Module(const std::string& faults)
        : sim("vantor-sim", {"--model", "KQ-16", "--pty", "--fault", faults, "--seed", "7"}), port(sim.readLine()) {}
    // vantorctl COMMAND --port <the module's> ARGS...
    ProgramRun ctl(const std::string& command, std::vector<std::string> args) const {
        args.insert(args.begin(), {command, "--port", port});
        return runProgram("vantorctl", args);
    }
    // vantorctl job ARGS with the module's port as the saved program setting.
    ProgramRun job(std::vector<std::string> args) const {
        test::TemporaryConfigHome home;
        OpenSettings(SettingsScope::PerUser)->writeString("port_path", port);
        args.insert(args.begin(), "job");
        return runProgram("vantorctl", args);
    }

    BackgroundProgram sim;
    const std::string port;
};

// The module answers the identification (dev, tdev, ver) and then falls silent: a
// command waits in its first exchange after it.
constexpr char kSilentAfterIdentification[] = "deaf-after=3";
// Every other reply fails its check: the module answers, but a good many parameters
// are not read.
constexpr char kCorruptingLine[] = "badsum=0.5";

class ReadJobOutcome : public test::TemporaryFolderTest {
protected:
    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
        return names;
    }
    // The file the read job replaces, holding what the engineer had.
    std::string previousFile() const {
        writeFile("a.vantor", kPrevious);
        return path("a.vantor");
    }
};

struct Interruption {
    std::vector<std::string> command;  // after "vantorctl", without --port and FILE
    int signal;
    bool withFile;
    bool savesBeside;  // the read so far goes to a.incomplete.vantor
};

TEST_F(ReadJobOutcome, SignalsEndEveryModuleCommandAt205LeavingTheFileAsItWas) {
    // A configuration the load can take.
    std::string configuration;
    {
        const Module healthy("drop=0");
        ASSERT_EQ(healthy.ctl("save", {path("a.vantor")}).status, 0);
        configuration = readWholeFile(path("a.vantor"));
    }
    const Interruption cases[] = {
        {{"save", "--trace"}, SIGTERM, true, true},          {{"save", "--trace"}, SIGINT, true, true},
        {{"load", "--trace"}, SIGTERM, true, false},         {{"read", "--trace"}, SIGINT, false, false},
        {{"get", "--trace", "Addr"}, SIGTERM, false, false},
    };
    for (const Interruption& c : cases) {
        const Module module(kSilentAfterIdentification);
        fs::remove(path("a.incomplete.vantor"));
        writeFile("a.vantor", configuration);
        const std::string file = path("a.vantor");
        std::vector<std::string> args{c.command.front(), "--port", module.port};
        args.insert(args.end(), c.command.begin() + 1, c.command.end());
        if (c.withFile) args.push_back(file);
        BackgroundProgram ctl("vantorctl", args, true);
        // The fourth request is the first after the identification: it is never answered.
        int requests = 0;
        for (std::string line = ctl.readLine(); requests < 4 && !line.empty(); line = ctl.readLine())
            requests += line.find("  ->  ") != std::string::npos;
        ASSERT_EQ(requests, 4) << c.command.front();
        EXPECT_EQ(ctl.stop(c.signal), 205) << c.command.front() << " " << c.signal;
        EXPECT_EQ(readWholeFile(file), configuration) << c.command.front();
        const std::set<std::string> expected = c.savesBeside ? std::set<std::string>{"a.vantor", "a.incomplete.vantor"}
                                                             : std::set<std::string>{"a.vantor"};
        EXPECT_EQ(files(), expected) << c.command.front() << " " << c.signal;
    }
}

TEST_F(ReadJobOutcome, ALostModuleLeavesTheFileAndSavesTheReadBesideIt) {
    const Module module(kSilentAfterIdentification);
    const std::string file = previousFile();
    const ProgramRun run = module.ctl("save", {file});
    EXPECT_EQ(run.status, 202) << run.err;
    EXPECT_EQ(readWholeFile(file), kPrevious);
    EXPECT_EQ(files(), (std::set<std::string>{"a.vantor", "a.incomplete.vantor"}));
    EXPECT_NE(run.err.find("what was read is saved as " + path("a.incomplete.vantor")), std::string::npos) << run.err;
    // What the read met is in it.
    const ProgramRun shown = runProgram("vantorctl", {"show", "--format", "tsv", path("a.incomplete.vantor")});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Identification\tdev\t\tno data\tTime-out error\t"), std::string::npos) << shown.out;
}

TEST_F(ReadJobOutcome, TheCommandLineReadJobKeepsTheFileToo) {
    const Module module(kSilentAfterIdentification);
    const std::string file = previousFile();
    const ProgramRun run = module.job({"/read/close", file});
    EXPECT_EQ(run.status, 202) << run.err;
    EXPECT_EQ(readWholeFile(file), kPrevious);
    EXPECT_EQ(files(), (std::set<std::string>{"a.vantor", "a.incomplete.vantor"}));
}

// The desktop program's job where nobody sees its window: the link's message about the
// module that stopped answering goes to stderr instead of waiting for a click.
TEST_F(ReadJobOutcome, TheDesktopReadJobWithNobodyToClickEndsAndKeepsTheFile) {
    const Module module(kSilentAfterIdentification);
    const std::string file = previousFile();
    test::TemporaryConfigHome home;
    OpenSettings(SettingsScope::PerUser)->writeString("port_path", module.port);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const ProgramRun run = runProgram("vantor", {"/read/close", file});
    ::unsetenv("QT_QPA_PLATFORM");
    EXPECT_EQ(run.status, 202) << run.err;
    EXPECT_NE(run.err.find("unsuccessful attempts of reading"), std::string::npos) << run.err;
    EXPECT_EQ(readWholeFile(file), kPrevious);
    EXPECT_EQ(files(), (std::set<std::string>{"a.vantor", "a.incomplete.vantor"}));
}

TEST_F(ReadJobOutcome, AReadWithFailedParametersEndsWithTheTransmissionBit) {
    const Module module(kCorruptingLine);
    const std::string file = path("a.vantor");
    // --model: the identification, whose replies fail their check as well, is not needed.
    const ProgramRun saved = module.ctl("save", {"--model", "KQ-16", file});
    EXPECT_EQ(saved.status, 203) << saved.err;
    // The read reached its end: the file holds it, the failures marked.
    const ProgramRun shown = runProgram("vantorctl", {"show", "--format", "tsv", file});
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_NE(shown.out.find("Response sum check error"), std::string::npos) << shown.out;
}

TEST_F(ReadJobOutcome, TheCommandLineReadJobWithFailedParametersDoesNotEndWith0) {
    const Module module(kCorruptingLine);
    const ProgramRun run = module.job({"/read/close", path("a.vantor")});
    EXPECT_GT(run.status, 200) << run.err;
}

TEST_F(ReadJobOutcome, SavesRefuseWhatIsNotARegularFile) {
    const Module module("drop=0");
    const std::string fifo = path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& target : {fifo, std::string("/dev/null")}) {
        ProgramRun run = module.ctl("save", {target});
        EXPECT_EQ(run.status, 1) << target;
        EXPECT_EQ(run.err, "vantorctl save: " + target + ": Not a regular file\n");
        // The command line's read job saves where the desktop program saves.
        run = module.job({"/read/close", target});
        EXPECT_EQ(run.status, 207) << target << run.err;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(files(), std::set<std::string>{"fifo"});
}

}  // namespace
}  // namespace vantor
