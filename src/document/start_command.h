#pragma once
// What the program starts with, from the command line: a new document, the
// command-line file, or nothing at all.

#include <string>

#include "platform/app_state.h"

namespace vantor {

enum class StartCommand {
    NewDocument,
    OpenFile,
    // A new document that takes the command-line file's path, so that saving writes
    // the file that was missing or empty.
    NewDocumentWithFilePath,
    // "write" without a file to write: the run ends at once with the result bit
    // kResultWriteFileMissing (exit code 200).
    EndWriteFileMissing,
};

// `fileHasContent`: the command-line file exists and is not empty.
StartCommand DecideStartCommand(const CommandLineSettings& settings, const std::string& file, bool fileHasContent);

// Whether the file exists and holds at least one byte.
bool FileHasContent(const std::string& path);

}  // namespace vantor
