// vantor-sim: one virtual module on a pseudo-terminal or a serial device.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "cmdline/last_resort.h"
#include "description/description_file.h"
#include "platform/file_access.h"
#include "sim/description_table.h"
#include "sim/line_server.h"
#include "sim/network_parameters.h"
#include "sim/options.h"
#include "sim/state_file.h"

namespace {

using namespace vantor;
using namespace vantor::sim;

int stopPipe[2] = {-1, -1};

void onStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto ignored = ::write(stopPipe[1], &byte, 1);
}

bool installStopSignals() {
    if (pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

// Points `link` at the pseudo-terminal; an existing symlink is replaced, any other file
// is left alone.
bool makeLink(const std::string& link, const std::string& target, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code code;
    if (fs::is_symlink(fs::symlink_status(link, code))) fs::remove(link, code);
    fs::create_symlink(target, link, code);
    if (code) error = "cannot make the link " + link + ": " + code.message();
    return !code;
}

void removeLink(const std::string& link, const std::string& target) {
    namespace fs = std::filesystem;
    std::error_code code;
    if (fs::is_symlink(fs::symlink_status(link, code)) && fs::read_symlink(link, code) == target)
        fs::remove(link, code);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "vantor-sim: %s\n", message.c_str());
    return 1;
}

int serve(const Options& options) {
    std::string error;
    // The state is saved when the module stops: a place it cannot go is told now.
    if (!options.stateFile.empty() && !canSaveFile(options.stateFile, error))
        return fail("cannot save the state to " + options.stateFile + ": " + error);
    const std::string descriptionFile =
        options.descriptionFile.empty() ? defaultDescriptionFile() : options.descriptionFile;
    auto table = tableFromDescription(options.model, descriptionFile, options.firmware, error);
    if (!table) return fail(error);

    SavedState saved{std::move(*table)};
    if (!options.stateFile.empty() && !loadState(options.stateFile, saved, error)) return fail(error);
    // What the command line does not say comes from the last run, or else from the
    // factory settings of the model's description, as a new module leaves the works.
    const NetworkSettings base =
        saved.hasSettings ? saved.settings : settingsFromParameters(saved.table, options.settings);
    NetworkSettings settings = options.settings;
    if (!options.addressGiven) settings.address = base.address;
    if (!options.lengthGiven) settings.addressLength = base.addressLength;
    if (!options.lineGiven) settings.line = base.line;
    if (!checkSettings(settings, error)) return fail(error);

    SteadyClock clock;
    VirtualModule module(options.model, std::move(saved.table), settings, options.firmware, clock);
    module.calibration() = saved.calibration;
    module.calibrationStore() = std::move(saved.calibrationStore);
    for (const std::string& item : options.calibrationItems)
        addCalibrationItem(item, module.calibration(), error);  // checked with the options
    ModuleLine line(module, FaultInjector(options.faults, options.seed), options.foreign);

    try {
        FrameLog log(options.logFile);
        Terminal terminal =
            options.pty ? Terminal::openPseudo(settings.line) : Terminal::openDevice(options.device, settings.line);
        if (!options.link.empty() && !makeLink(options.link, terminal.path(), error)) return fail(error);
        std::printf("%s\n", terminal.path().c_str());
        std::fflush(stdout);

        LineServer server(terminal, line, log, {options.wireTime, options.turnaroundMs, options.pty});
        const bool served = server.run(stopPipe[0], error);
        if (!options.link.empty()) removeLink(options.link, terminal.path());
        std::string saveError;
        if (!options.stateFile.empty() && !saveState(options.stateFile, module, saveError)) return fail(saveError);
        return served ? 0 : fail(error);
    } catch (const std::runtime_error& e) {
        return fail(e.what());
    }
}

int run(int argc, char** argv) {
    std::string error;
    bool help = false;
    const auto options = parseOptions(std::vector<std::string>(argv + 1, argv + argc), error, help);
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!options) {
        std::fprintf(stderr, "vantor-sim: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (!installStopSignals()) return fail("cannot set up the stop signals");
    return serve(*options);
}

}  // namespace

int main(int argc, char** argv) { return vantor::cmdline::runReportingEscapes("vantor-sim", run, argc, argv); }
