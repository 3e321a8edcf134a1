// CPlimoDoc: opening and saving configuration files, and the model check before an
// open.

#include "description/catalogue.h"
#include "document/configuration_document.h"
#include "document/configuration_file.h"
#include "platform/app_state.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

bool CPlimoDoc::ConfirmFileModel(const std::string& path) {
    std::string bytes, reason;
    if (!ReadConfigurationFile(path, bytes, reason)) return true;  // the open tells what is wrong
    const std::optional<int> model = PeekConfigurationModel(bytes);
    const int current = app().currentModel();
    if (!model || *model == current || current == kNoModel) return true;
    const std::string question =
        FormatTextArgs(Text("IDS_STRING165"), modelDisplayName(*model).c_str(), modelDisplayName(current).c_str());
    return ui_.message(question, "", MessageIcon::Warning, MessageButtons::YesNo) == MessageAnswer::Yes;
}

bool CPlimoDoc::OnOpenDocument(const std::string& path) {
    std::string bytes, reason;
    if (!ReadConfigurationFile(path, bytes, reason)) {
        ui_.message(Text("IDS_STRING185") + "\n" + path + ": " + reason, "", MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    lastLoad_ = LoadConfiguration(bytes, *this);
    const ConfigurationLoadReport report = ReportOfLoad(lastLoad_);
    if (!report.textKey.empty())
        ui_.message(Text(report.textKey), Text(report.captionKey), MessageIcon::Warning, MessageButtons::Ok);
    if (!report.opened) return false;
    const CommandLineSettings& commandLine = app().commandLine();
    if (report.partlyRead && (commandLine.options & kOptCommandLineMode) && (commandLine.mode & kModeSilent))
        RebuildTree(std::nullopt);  // no partly read values in a silent job
    pathName_ = path;
    setModified(false);
    return true;
}

bool CPlimoDoc::OnSaveDocument(const std::string& path, std::string& reason) {
    if (!SaveConfigurationFile(path, app().currentModel(), rootBranch(), reason)) return false;
    pathName_ = path;
    setModified(false);
    return true;
}

}  // namespace vantor
