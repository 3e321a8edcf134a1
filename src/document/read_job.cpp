#include "document/read_job.h"

#include <algorithm>
#include <string_view>

#include "document/configuration_document.h"
#include "platform/app_state.h"
#include "platform/string_utils.h"
#include "text/texts.h"

namespace vantor {

namespace {

constexpr std::uint32_t kEndedEarlyFlags = 1u << kResultCancelled | 1u << kResultNoAnswer | 1u << kResultPortNotOpened;

constexpr std::string_view kExtension = ".vantor";

}  // namespace

void MarkFailedRead(const std::optional<TaskOutcome>& outcome) {
    if (outcome && outcome->counts.failed > 0 && app().resultFlags() == 0) app().setResultBit(kResultTransmission);
}

bool ReadEndedEarly(const std::optional<TaskOutcome>& outcome) {
    return (outcome && outcome->cancelled) || (app().resultFlags() & kEndedEarlyFlags) != 0;
}

std::string IncompletePath(const std::string& path) {
    const std::size_t stem = path.size() - std::min(path.size(), kExtension.size());
    const bool named = stem > 0 && equalsIgnoringCase(std::string_view(path).substr(stem), kExtension);
    return (named ? path.substr(0, stem) : path) + ".incomplete" + std::string(kExtension);
}

std::string SaveReadJobFile(CPlimoDoc& document, const std::string& path, std::string& reason) {
    std::string target = ReadEndedEarly(document.lastOutcome()) ? IncompletePath(path) : path;
    if (document.OnSaveDocument(target, reason)) return target;
    app().setResultBit(kResultFileNotSaved);
    return {};
}

std::string IncompleteReadNote(const std::string& savedPath) {
    return FormatText(Text("IDS_READ_INCOMPLETE"), savedPath);
}

}  // namespace vantor
