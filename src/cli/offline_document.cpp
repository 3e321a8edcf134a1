#include "cli/offline_document.h"

#include <climits>
#include <cstdio>

#include "cmdline/numbers.h"
#include "description/catalogue.h"
#include "document/configuration_file.h"
#include "platform/app_state.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kOfflineOptionsUsage[] =
    "File options:\n"
    "  --model NAME|INDEX  the model of a file that names none (older files)\n"
    "  --firmware MAJ.MIN  the module's firmware, for the description's version tests\n";

void FileOptions::addTo(cmdline::Scanner& scanner) {
    scanner.value("--model", [this](const std::string& value) {
        const int found = findModel(value);
        if (found >= 0) model = found;
        return found >= 0 ? std::string()
                          : cmdline::rangeMessage("--model", value, 0, kModelCount - 1, "a model name or index");
    });
    scanner.value("--firmware", [this](const std::string& value) {
        const auto version = exactFirmwareVersion(value);
        if (version) firmware = *version;
        return version ? std::string()
                       : cmdline::rangeMessage("--firmware", value, 0, INT_MAX, "MAJ.MIN, two whole numbers");
    });
}

bool OfflineDocument::open(const std::string& path, const FileOptions& options) {
    std::string bytes, reason;
    if (!ReadConfigurationFile(path, bytes, reason)) {
        std::fprintf(stderr, "vantorctl: %s: %s\n", path.c_str(), reason.c_str());
        return false;
    }
    if (const ConfigurationLoad header = CheckConfigurationHeader(bytes); header != ConfigurationLoad::Loaded)
        return refused(path, header);
    const std::optional<int> stored = PeekConfigurationModel(bytes);
    const std::optional<int> model = stored && *stored != kNoModel ? stored : options.model;
    if (!model) {
        std::fprintf(stderr, "vantorctl: %s names no model: give it with --model\n", path.c_str());
        return false;
    }
    app().setCurrentModel(*model);
    document_.device().firmware = options.firmware;
    if (!document_.OnOpenDocument(path) || !document_.rootBranch()) return false;
    // The document keeps what a damaged or short file held; a command prints the whole
    // file or nothing (the document has said what was wrong, unless the file only ended
    // early).
    const ConfigurationLoad outcome = document_.lastLoad();
    if (outcome == ConfigurationLoad::EndedEarly) return refused(path, outcome);
    return outcome == ConfigurationLoad::Loaded;
}

bool OfflineDocument::refused(const std::string& path, ConfigurationLoad outcome) {
    const std::string_view key = ReportOfLoad(outcome).textKey;
    const std::string why = key.empty() ? "the file ends before its last record" : Text(key);
    std::fprintf(stderr, "vantorctl: %s: %s\n", path.c_str(), why.c_str());
    return false;
}

}  // namespace vantor::cli
