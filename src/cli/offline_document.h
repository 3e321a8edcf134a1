#pragma once
// A configuration file opened without a module, as "Work offline" would: the model the
// file names (or the one given), its tree rebuilt from the description and filled
// from the file.

#include <optional>
#include <string>

#include "cli/module_session.h"
#include "cmdline/scanner.h"
#include "description/firmware_version.h"
#include "document/configuration_file.h"

namespace vantor::cli {

extern const char kOfflineOptionsUsage[];

// --model NAME|INDEX for files that name none; --firmware MAJ.MIN for the
// description's "#if ver" lines.
struct FileOptions {
    std::optional<int> model;
    FirmwareVersion firmware;
    void addTo(cmdline::Scanner& scanner);
};

class OfflineDocument {
public:
    // False after a message on stderr.
    bool open(const std::string& path, const FileOptions& options);

    CPlimoDoc& document() { return document_; }
    DescBranch& root() const { return *document_.rootBranch(); }

private:
    // Says why the file at `path` could not be used; false.
    static bool refused(const std::string& path, ConfigurationLoad outcome);

    ModuleUserInterface ui_;
    TerminalFrontEnd frontEnd_{ui_};
    CPlimoDoc document_{ui_, frontEnd_};
};

}  // namespace vantor::cli
