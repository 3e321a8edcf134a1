// vantorctl find: which addresses a module answers at.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "cli/progress_line.h"
#include "description/catalogue.h"
#include "platform/app_state.h"

namespace vantor::cli {

extern const char kFindUsage[] =
    "usage: vantorctl find [LINK OPTIONS] [--from A] [--to B]\n"
    "Asks every address from A to B (default 1 .. 255; up to 2047 with --alen 11) for\n"
    "\"dev\", once each, and identifies the modules that answer; one line per module:\n"
    "address<TAB>model display name<TAB>firmware. --addr and --model are not used.\n"
    "The status is 1 when no module answered.\n";

int runFind(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    int from = 1, to = -1;
    scanner.number("--from", 0, 2047, [&](int address) { from = address; });
    scanner.number("--to", 0, 2047, [&](int address) { to = address; });
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("find", kFindUsage, args, scanner, session, words, false)) return status;
    const int highest = session.line().addressLength == 11 ? 2047 : 255;
    if (to < 0) to = 255;
    if (from > to || to > highest)
        return usageError("find",
                          "--from and --to give addresses " + std::to_string(from) + " .. " + std::to_string(to) +
                              " outside 0 .. " + std::to_string(highest),
                          kFindUsage);
    if (!session.open()) return 1;

    Device& device = session.device();
    device.catalogueFixed = false;
    ProgressLine progress;
    int found = 0;
    for (int address = from; address <= to && !ProgressLine::interrupted(); ++address) {
        progress.show(address - from + 1, to - from + 1, "address " + std::to_string(address));
        device.baseAddress = address;
        Parameter dev("dev");
        dev.type = "string";
        // Most addresses are silent: one response time-out each, no second request.
        // A module that answers is identified with the usual retries.
        device.timeoutAttempts = 1;
        const int probed = device.ExchangeParameter(1, &dev);
        device.timeoutAttempts = kDefaultTimeoutAttempts;
        if (probed != 0) continue;
        app().setCurrentModel(kNoModel);
        const bool known = device.IdentifyDevice(false) & kIdentifyRecognised;
        const std::string model = known ? modelDisplayName(app().currentModel()) : "unknown (" + dev.valueText + ")";
        const std::string firmware = device.firmware.major < 0 ? std::string("?")
                                                               : std::to_string(device.firmware.major) + "." +
                                                                     std::to_string(device.firmware.minor);
        std::printf("%d\t%s\t%s\n", address, model.c_str(), firmware.c_str());
        std::fflush(stdout);
        ++found;
    }
    if (!found) std::fprintf(stderr, "vantorctl find: no module answered at %d .. %d\n", from, to);
    return found ? 0 : 1;
}

}  // namespace vantor::cli
