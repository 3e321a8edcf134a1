#include "sim/options.h"

#include <climits>
#include <cstdint>
#include <limits>

#include "cmdline/scanner.h"
#include "description/catalogue.h"
#include "description/firmware_version.h"
#include "protocol/frame.h"
#include "sim/calibration_settings.h"
#include "sim/foreign_wakeup.h"
#include "sim/network_parameters.h"

namespace vantor::sim {

const char* const kUsage =
    "usage: vantor-sim --model NAME|INDEX [--address N] [--alen 8|11] [--baud N]\n"
    "                  [--parity none|even|odd] [--data-bits N] [--stop-bits N]\n"
    "                  [--firmware MAJ.MIN] (--pty [--link PATH] | --device PATH)\n"
    "                  [--wire-time] [--turnaround MS] [--foreign rtu|ascii|dcon]\n"
    "                  [--fault SPEC[,SPEC...]]... [--seed N] [--state FILE] [--log FILE]\n"
    "                  [--dat FILE] [--calibration ITEM[,ITEM...]]...\n"
    "Serves one virtual module of the model on a pseudo-terminal (its path is the first\n"
    "line of output) or on a serial device, until SIGTERM or SIGINT. The address and\n"
    "line settings not given come from --state, else from the model's factory values\n"
    "(address 16, 9600 baud, 8 data bits, no parity, 1 stop bit).\n"
    "  --fault drop=P | badsum=P | badhash=P | garbage=P | nerr=P   (P from 0 to 1)\n"
    "          slow=MS | deaf-after=N\n"
    "  --calibration signal=PERCENT   the input signal the calibration sees, in % of the\n"
    "                                 range (not given: the one each job expects)\n"
    "                fail=CODE        the next job fails with the family's code\n"
    "                hang             the next job never ends\n"
    "                busy=N           reads answered busy before a job ends (2)\n"
    "                slope=X          the electrode slope a pH calibration reports\n"
    "                invalid=N        the coefficient an input module's check names invalid\n";

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error, bool& help) {
    help = cmdline::asksForHelp(args);
    if (help) return std::nullopt;
    Options options;
    cmdline::Scanner scanner;
    const auto text = [&](const char* name, std::string& field) {
        scanner.value(name, [&field](const std::string& value) {
            field = value;
            return std::string();
        });
    };
    scanner.value("--model", [&](const std::string& v) {
        options.model = findModel(v);
        return options.model >= 0 ? std::string()
                                  : cmdline::rangeMessage("--model", v, 0, kModelCount - 1, "a model name or index");
    });
    scanner.number("--address", 0, kHighestAddress, [&](int v) {
        options.settings.address = v;
        options.addressGiven = true;
    });
    scanner.value("--alen", [&](const std::string& v) {
        if (v != "8" && v != "11") return std::string("--alen takes 8 or 11");
        options.settings.addressLength = v == "11" ? 11 : 8;
        options.lengthGiven = true;
        return std::string();
    });
    // A module's own limits on the line settings are checked with the whole set below.
    const auto lineNumber = [&](const char* name, int low, int high, int LineSettings::*field) {
        scanner.number(name, low, high, [&options, field](int v) {
            options.settings.line.*field = v;
            options.lineGiven = true;
        });
    };
    lineNumber("--baud", 0, INT_MAX, &LineSettings::baud);
    lineNumber("--data-bits", 5, 8, &LineSettings::dataBits);
    lineNumber("--stop-bits", 1, 2, &LineSettings::stopBits);
    scanner.value("--parity", [&](const std::string& v) {
        const auto parity = parseParity(v);
        if (!parity) return std::string("--parity takes none, even or odd");
        options.settings.line.parity = *parity;
        options.lineGiven = true;
        return std::string();
    });
    scanner.value("--firmware", [&](const std::string& v) {
        if (!exactFirmwareVersion(v))
            return cmdline::rangeMessage("--firmware", v, 0, INT_MAX, "MAJ.MIN, two whole numbers");
        options.firmware = v;
        return std::string();
    });
    text("--link", options.link);
    text("--device", options.device);
    text("--state", options.stateFile);
    text("--log", options.logFile);
    text("--dat", options.descriptionFile);
    scanner.flag("--pty", [&] { options.pty = true; });
    scanner.flag("--wire-time", [&] { options.wireTime = true; });
    scanner.number("--turnaround", 0, 60000, [&](int v) { options.turnaroundMs = v; });
    scanner.value("--foreign", [&](const std::string& v) {
        options.foreign = parseForeignMode(v);
        return options.foreign ? std::string() : "--foreign takes rtu, ascii or dcon";
    });
    scanner.value("--fault", [&](const std::string& v) {
        for (const std::string& item : cmdline::splitList(v))
            if (std::string problem; !addFault(item, options.faults, problem)) return problem;
        return std::string();
    });
    scanner.value("--calibration", [&](const std::string& v) {
        CalibrationSettings checked;
        for (const std::string& item : cmdline::splitList(v)) {
            if (std::string problem; !addCalibrationItem(item, checked, problem)) return problem;
            options.calibrationItems.push_back(item);
        }
        return std::string();
    });
    scanner.number("--seed", std::uint32_t{0}, std::numeric_limits<std::uint32_t>::max(),
                   [&](std::uint32_t v) { options.seed = v; });

    std::vector<std::string> words;
    error = scanner.scan(args, words);
    if (!error.empty()) return std::nullopt;
    if (!words.empty())
        error = "unexpected argument '" + words.front() + "'";
    else if (options.model < 0)
        error = "--model is required";
    else if (options.pty == !options.device.empty())
        error = "give either --pty or --device PATH";
    else if (!options.link.empty() && !options.pty)
        error = "--link goes with --pty";
    else
        checkSettings(options.settings, error);
    if (!error.empty()) return std::nullopt;
    return options;
}

}  // namespace vantor::sim
