#include "document/command_line_job.h"

#include <atomic>

#include "document/command_line_info.h"
#include "document/command_line_network.h"
#include "document/configuration_document.h"
#include "document/start_command.h"
#include "platform/app_state.h"
#include "platform/exit_event.h"

namespace vantor {

namespace {

// The document the run starts with; false when there is none to run the job on.
bool startDocument(CPlimoDoc& document, StartCommand start, const std::string& file) {
    switch (start) {
    case StartCommand::OpenFile: return document.ConfirmFileModel(file) && document.OnOpenDocument(file);
    case StartCommand::NewDocumentWithFilePath:
        if (!document.OnNewDocument()) return false;
        document.setPathName(file);
        return true;
    default: return document.OnNewDocument();
    }
}

// The job itself, once the document stands.
void runJob(CPlimoDoc& document, const CommandLineSettings& settings, const std::string& file) {
    if (settings.options & kOptWrite) {
        document.WriteAll(TreeScope::WholeTree);
        // A written network setting: APLY follows (sent only with "aply").
        if (document.lastOutcome() && document.lastOutcome()->applyRequested) document.ApplyNetworkSettings();
    } else if (settings.options & kOptRead) {
        document.ReadAll(TreeScope::WholeTree);
        std::string reason;
        if (!document.OnSaveDocument(file, reason)) app().setResultBit(kResultFileNotSaved);
    }
    // "calibrate" needs a person at the module: without a window it does nothing.
}

}  // namespace

int RunCommandLineJob(const std::vector<std::string>& arguments, UserInterface& ui, DocumentFrontEnd& frontEnd) {
    AppState& state = app();
    state.commandLine() = {};
    state.commandLineFile().clear();
    state.errorLogPath().clear();
    CmyCommandLineInfo info;
    for (const std::string& argument : arguments) info.ParseParam(argument);
    const CommandLineSettings& settings = state.commandLine();
    const std::string file = state.commandLineFile();

    const StartCommand start = DecideStartCommand(settings, file, FileHasContent(file));
    if (start == StartCommand::EndWriteFileMissing) {
        state.setResultBit(kResultWriteFileMissing);
        return state.exitCode();
    }

    CPlimoDoc document(ui, frontEnd);
    ApplyCommandLineNetworkSettings(settings, document.networkSettings(), nullptr);
    ApplyCommandLineAdapterMode(settings, document.networkSettings());
    document.StartUp();
    if (document.exitRequested()) return state.exitCode();

    if (!startDocument(document, start, file)) {
        // A write job whose file cannot be read has nothing to write.
        if (settings.options & kOptWrite) state.setResultBit(kResultWriteFileMissing);
        return state.exitCode();
    }
    // With "aply" the module's network parameters take the settings too, so that the
    // write job takes them to the module.
    if (settings.options & kOptAply)
        ApplyCommandLineNetworkSettings(settings, document.networkSettings(), document.networkBranch());

    // The exit event, SIGTERM and SIGINT end the exchange in progress at once.
    std::atomic<bool> exitEvent{false};
    ExitWatch watch;
    watch.start({info.exitEventName(), true}, [&](ExitWatchWake wake) {
        if (wake != ExitWatchWake::ExitEvent) return;
        exitEvent = true;
        document.device().cancelEvent().set();
        document.device().sio().stopEvent().set();
    });
    if (!exitEvent) runJob(document, settings, file);
    watch.stop();
    // What the link set while the stopped exchange wound down does not count.
    if (exitEvent) state.replaceResultFlags(1u << kResultCancelled);
    return state.exitCode();
}

}  // namespace vantor
