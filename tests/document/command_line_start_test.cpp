#include <gtest/gtest.h>

#include <string>

#include "document/command_line_info.h"
#include "document/start_command.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

const char* nameOf(StartCommand command) {
    switch (command) {
    case StartCommand::NewDocument: return "new document";
    case StartCommand::OpenFile: return "open the file";
    case StartCommand::NewDocumentWithFilePath: return "new document with the file's path";
    case StartCommand::EndWriteFileMissing: return "end";
    }
    return "?";
}

TEST(StartCommand, DecisionTable) {
    const struct {
        const char* options;
        const char* file;
        bool fileHasContent;
        StartCommand expected;
    } cases[] = {
        {"", "", false, StartCommand::NewDocument},
        {"", "a.vantor", true, StartCommand::OpenFile},
        {"", "a.vantor", false, StartCommand::NewDocumentWithFilePath},
        {"/close", "a.vantor", false, StartCommand::NewDocumentWithFilePath},
        // A read job only writes its file, whatever is there.
        {"/read", "a.vantor", true, StartCommand::NewDocument},
        {"/read", "a.vantor", false, StartCommand::NewDocument},
        {"/read/write", "a.vantor", false, StartCommand::NewDocument},
        {"/write", "a.vantor", true, StartCommand::OpenFile},
        {"/write", "a.vantor", false, StartCommand::EndWriteFileMissing},
        {"/write", "", false, StartCommand::EndWriteFileMissing},
    };
    for (const auto& c : cases) {
        CommandLineSettings settings;
        std::string file;
        std::string log;
        CmyCommandLineInfo(settings, file, log).ParseParam(c.options);
        EXPECT_STREQ(nameOf(DecideStartCommand(settings, c.file, c.fileHasContent)), nameOf(c.expected))
            << c.options << " " << c.file << " " << c.fileHasContent;
    }
}

TEST(StartCommand, EndingAWriteJobWithoutItsFileGivesExitCode200) {
    AppState state;
    EXPECT_EQ(state.exitCode(), 0);
    state.setResultBit(kResultWriteFileMissing);
    EXPECT_EQ(state.exitCode(), 200);
    AppState failed;
    failed.setResultBit(kResultDeviceError);
    failed.setResultBit(kResultNoAnswer);
    EXPECT_EQ(failed.exitCode(), 202);
}

using StartFile = test::TemporaryFolderTest;

TEST_F(StartFile, OnlyAFileWithContentCounts) {
    writeFile("empty.vantor", "");
    writeFile("full.vantor", "x");
    EXPECT_FALSE(FileHasContent(path("missing.vantor")));
    EXPECT_FALSE(FileHasContent(path("empty.vantor")));
    EXPECT_FALSE(FileHasContent(folder_.string()));
    EXPECT_TRUE(FileHasContent(path("full.vantor")));
}

}  // namespace
}  // namespace vantor
