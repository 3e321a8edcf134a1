#include "document/command_line_job.h"

#include <atomic>

#include "document/command_line_info.h"
#include "document/command_line_start.h"
#include "document/configuration_document.h"
#include "document/read_job.h"
#include "platform/app_state.h"
#include "platform/exit_event.h"

namespace vantor {

namespace {

// The job itself, once the document stands.
void runJob(CPlimoDoc& document, UserInterface& ui, const CommandLineSettings& settings, const std::string& file) {
    if (settings.options & kOptWrite) {
        document.WriteAll(TreeScope::WholeTree);
        // A written network setting: APLY follows (sent only with "aply").
        if (document.lastOutcome() && document.lastOutcome()->applyRequested) document.ApplyNetworkSettings();
    } else if (settings.options & kOptRead) {
        document.ReadAll(TreeScope::WholeTree);
        MarkFailedRead(document.lastOutcome());
        std::string reason;
        const std::string saved = SaveReadJobFile(document, file, reason);
        if (!saved.empty() && saved != file)
            ui.message(IncompleteReadNote(saved), "", MessageIcon::Warning, MessageButtons::Ok);
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
    if (!StartCommandLineDocument(document, start, file)) return state.exitCode();

    // The exit event, SIGTERM and SIGINT end the exchange in progress at once.
    std::atomic<bool> exitEvent{false};
    ExitWatch watch;
    watch.start({info.exitEventName(), true}, [&](ExitWatchWake wake) {
        if (wake != ExitWatchWake::ExitEvent) return;
        exitEvent = true;
        StopLinkForExit(document.device());
    });
    if (!exitEvent) runJob(document, ui, settings, file);
    watch.stop();
    // What the link set while the stopped exchange wound down does not count.
    if (exitEvent) state.replaceResultFlags(1u << kResultCancelled);
    return state.exitCode();
}

}  // namespace vantor
