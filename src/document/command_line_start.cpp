#include "document/command_line_start.h"

#include "document/command_line_network.h"
#include "document/configuration_document.h"
#include "platform/app_state.h"
#include "platform/user_interface.h"

namespace vantor {

namespace {

bool openStartDocument(CPlimoDoc& document, StartCommand start, const std::string& file) {
    switch (start) {
    case StartCommand::OpenFile:
        if (document.ConfirmFileModel(file) && document.OnOpenDocument(file)) return true;
        if (app().commandLine().options & kOptWrite) {
            app().setResultBit(kResultWriteFileMissing);
            return false;
        }
        return document.OnNewDocument();
    case StartCommand::NewDocumentWithFilePath:
        if (!document.OnNewDocument()) return false;
        document.setPathName(file);
        return true;
    default: return document.OnNewDocument();
    }
}

}  // namespace

bool StartCommandLineDocument(CPlimoDoc& document, StartCommand start, const std::string& file) {
    const CommandLineSettings& settings = app().commandLine();
    // Refused settings are neither used nor kept: the run ends before the port opens.
    if (const std::string refusal = CommandLineNetworkRefusal(settings, document.networkSettings()); !refusal.empty()) {
        document.ui().message(refusal, "", MessageIcon::Error, MessageButtons::Ok);
        app().setResultBit(kResultPortNotOpened);
        return false;
    }
    ApplyCommandLineNetworkSettings(settings, document.networkSettings(), nullptr);
    ApplyCommandLineAdapterMode(settings, document.networkSettings());
    document.StartUp();  // opens the port with those settings
    if (document.exitRequested() || !openStartDocument(document, start, file)) return false;
    if (settings.options & kOptAply)
        ApplyCommandLineNetworkSettings(settings, document.networkSettings(), document.networkBranch());
    return true;
}

void StopLinkForExit(Device& device) {
    device.cancelEvent().set();
    device.sio().stopEvent().set();
}

}  // namespace vantor
