#include "document/start_command.h"

#include <filesystem>
#include <system_error>

namespace vantor {

StartCommand DecideStartCommand(const CommandLineSettings& settings, const std::string& file, bool fileHasContent) {
    // A read job only writes the file.
    if (settings.options & kOptRead) return StartCommand::NewDocument;
    // A write job without a file would write a tree that was never loaded.
    if (settings.options & kOptWrite && (file.empty() || !fileHasContent)) return StartCommand::EndWriteFileMissing;
    if (file.empty()) return StartCommand::NewDocument;
    return fileHasContent ? StartCommand::OpenFile : StartCommand::NewDocumentWithFilePath;
}

bool FileHasContent(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return !error && size > 0;
}

}  // namespace vantor
