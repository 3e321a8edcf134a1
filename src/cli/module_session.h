#pragma once
// What every module command shares: the link options on top of the saved program
// network settings, the model (chosen by hand or identified from "dev"), and the
// configuration document with the opened device link and the model's parameter tree.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/end_on_signal.h"
#include "cli/progress_line.h"
#include "cli/stderr_user_interface.h"
#include "document/configuration_document.h"
#include "elements/line_settings.h"

namespace vantor::cli {

extern const char kLinkOptionsUsage[];

// Messages to stderr, but information (an identification's report, a comparison's
// result) to stdout.
class ModuleUserInterface : public StderrUserInterface {
public:
    // The person confirmed beforehand (--yes): questions are answered Yes unseen.
    bool confirmed = false;
    MessageAnswer message(const std::string& text, const std::string& caption, MessageIcon icon,
                          MessageButtons buttons) override;
    // The running task's log lines with the done count, on the communication thread.
    void progressLog(const std::string& line, int position) override {
        if (onProgress) onProgress(line, position);
    }
    // Set before any task runs.
    std::function<void(const std::string& line, int position)> onProgress;
};

// The document's dialogs on a terminal: the wait dialog is the progress line on stderr;
// the other dialogs are not offered (a command asks nothing).
class TerminalFrontEnd : public DocumentFrontEnd {
public:
    explicit TerminalFrontEnd(ModuleUserInterface& ui);
    std::optional<TaskOutcome> RunWaitDialog(OperationCode code, Device& device) override;

private:
    // On the communication thread.
    void progress(const std::string& line, int position);

    std::mutex mutex_;  // guards the two below against the communication thread
    std::optional<ProgressLine> line_;
    int total_ = 0;
};

class ModuleSession {
public:
    ModuleSession();
    ~ModuleSession();
    ModuleSession(const ModuleSession&) = delete;
    ModuleSession& operator=(const ModuleSession&) = delete;

    // Adds the link options (and --model, --elog) to `scanner`; `finishOptions` after
    // the scan completes the line settings from the saved program settings.
    void addOptions(cmdline::Scanner& scanner);
    void finishOptions();

    // Checks the port path and opens it; false after one message on stderr.
    bool open();
    // The model: the one given with --model, else identified; false after a message.
    // Makes the model's device model the link's, with its decoding.
    bool chooseModel(bool showReport);
    // Makes a new document: the model's tree and device model; false after a message
    // (none once a signal ended the command).
    bool loadTree();

    int model() const;
    DescBranch* root() const { return document_.rootBranch(); }
    Device& device() { return document_.device(); }
    CPlimoDoc& document() { return document_; }
    ModuleUserInterface& ui() { return ui_; }
    const LineSettings& line() const { return line_; }
    // "Model: <display name> (<index>)".
    static std::string modelLine(int model);

private:
    struct Given;
    class TraceLines;
    std::unique_ptr<Given> given_;
    LineSettings line_;
    ModuleUserInterface ui_;
    TerminalFrontEnd frontEnd_{ui_};
    CPlimoDoc document_{ui_, frontEnd_};
    std::unique_ptr<TraceLines> trace_;  // with --trace: on the link from finishOptions on
    EndOnSignal endOnSignal_;            // last: its watch ends before the link goes
};

// Scans the link options of `session` and those `scanner` already has; the other words
// go to `words`, and `wordsWanted` tells whether any may come. 0, or the bad-usage
// status after the message (the usage text followed by the link options).
int scanModuleOptions(const char* command, const char* usage, const Arguments& args, cmdline::Scanner& scanner,
                      ModuleSession& session, std::vector<std::string>& words, bool wordsWanted);

// "NAME" or "NAME:INDEX" of a parameter as the commands print it.
std::string parameterLabel(const Parameter& parameter);

}  // namespace vantor::cli
