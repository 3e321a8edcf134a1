// vantorctl scan: looks for the module when its baud rate is not known.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/module_session.h"
#include "device/network_scan.h"
#include "elements/object_with_parameters.h"
#include "params/module_baud_rates.h"

namespace vantor::cli {

extern const char kScanUsage[] =
    "usage: vantorctl scan [LINK OPTIONS]\n"
    "Runs the connection check at each baud rate a module runs at, beginning with the\n"
    "link's rate (--baud, else the saved one) and going up, then the lower rates; one line\n"
    "\"Scanning at baud rate RATE...\" per rate, then \"Connection established\" and\n"
    "\"Baud rate: RATE\" for the rate the module answered at. The status is 1 when no\n"
    "module answered.\n";

namespace {

// The module rates from `first` upwards, then the lower ones, as a choice list.
std::string ratesFrom(std::uint32_t first) {
    std::vector<int> rates(kModuleBaudRates.begin(), kModuleBaudRates.end());
    const auto start = std::find(rates.begin(), rates.end(), static_cast<int>(first));
    if (start != rates.end()) std::rotate(rates.begin(), start, rates.end());
    std::string list;
    for (const int rate : rates) list += (list.empty() ? "" : ":") + std::to_string(rate);
    return list;
}

}  // namespace

int runScan(const Arguments& args) {
    ModuleSession session;
    cmdline::Scanner scanner;
    std::vector<std::string> words;
    if (const int status = scanModuleOptions("scan", kScanUsage, args, scanner, session, words, false)) return status;
    if (!session.open()) return 1;

    // The scan sets the rate it tries in "bPS"; the link opens the port with it.
    ObjectWithParameters settings;
    auto owned = std::make_unique<Parameter>("bPS");
    owned->type = ratesFrom(session.line().baudRate);
    owned->valueText = std::to_string(session.line().baudRate);
    Parameter& rate = *owned;
    settings.appendParameter(std::move(owned));
    Device& device = session.device();
    device.linkSettingsSource = [&session, &rate] {
        LineSettings line = session.line();
        line.baudRate = static_cast<std::uint32_t>(std::stoul(rate.valueText));
        return line;
    };

    NetworkScan scan(device, settings, [](const std::string& text, bool error) {
        std::fprintf(error ? stderr : stdout, "%s\n", text.c_str());
        std::fflush(error ? stderr : stdout);
    });
    if (!scan.Scan()) return 1;
    std::printf("Baud rate: %s\n", rate.valueText.c_str());
    return 0;
}

}  // namespace vantor::cli
