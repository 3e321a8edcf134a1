#include "sim/options.h"

#include <cstdlib>
#include <functional>
#include <map>

#include "description/catalogue.h"
#include "sim/foreign_wakeup.h"
#include "sim/network_parameters.h"

namespace vantor::sim {

const char* const kUsage =
    "usage: vantor-sim --model NAME|INDEX [--address N] [--alen 8|11] [--baud N]\n"
    "                  [--parity none|even|odd] [--data-bits N] [--stop-bits N]\n"
    "                  [--firmware MAJ.MIN] (--pty [--link PATH] | --device PATH)\n"
    "                  [--wire-time] [--turnaround MS] [--foreign rtu|ascii|dcon]\n"
    "                  [--fault SPEC]... [--seed N] [--state FILE] [--log FILE] [--dat FILE]\n"
    "Serves one virtual module of the model on a pseudo-terminal (its path is the first\n"
    "line of output) or on a serial device, until SIGTERM or SIGINT. The address and\n"
    "line settings not given come from --state, else from the model's factory values\n"
    "(address 16, 9600 baud, 8 data bits, no parity, 1 stop bit).\n"
    "  --fault drop=P | badsum=P | badhash=P | garbage=P | nerr=P   (P from 0 to 1)\n"
    "          slow=MS | deaf-after=N\n";

namespace {

std::optional<long> wholeNumber(const std::string& text) {
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0') return std::nullopt;
    return number;
}

bool inRange(std::optional<long> number, long low, long high) { return number && *number >= low && *number <= high; }

}  // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error, bool& help) {
    Options options;
    help = false;
    using Handler = std::function<bool(const std::string&)>;
    const auto number = [&](long low, long high, auto store) {
        return Handler([=, &error](const std::string& value) {
            const auto parsed = wholeNumber(value);
            if (!inRange(parsed, low, high)) {
                error = "'" + value + "' is not a number from " + std::to_string(low) + " to " + std::to_string(high);
                return false;
            }
            store(static_cast<int>(*parsed));
            return true;
        });
    };
    const std::map<std::string, Handler> withValue = {
        {"--model",
         [&](const std::string& v) {
             options.model = findModel(v);
             if (options.model < 0) error = "unknown model '" + v + "'";
             return options.model >= 0;
         }},
        {"--address", number(0, 2047,
                             [&](int v) {
                                 options.settings.address = v;
                                 options.addressGiven = true;
                             })},
        {"--alen",
         [&](const std::string& v) {
             if (v != "8" && v != "11") {
                 error = "--alen takes 8 or 11";
                 return false;
             }
             options.settings.addressLength = v == "11" ? 11 : 8;
             options.lengthGiven = true;
             return true;
         }},
        {"--baud", number(50, 4000000,
                          [&](int v) {
                              options.settings.line.baud = v;
                              options.lineGiven = true;
                          })},
        {"--parity",
         [&](const std::string& v) {
             const auto parity = parseParity(v);
             if (!parity)
                 error = "--parity takes none, even or odd";
             else
                 options.settings.line.parity = *parity, options.lineGiven = true;
             return parity.has_value();
         }},
        {"--data-bits", number(5, 8,
                               [&](int v) {
                                   options.settings.line.dataBits = v;
                                   options.lineGiven = true;
                               })},
        {"--stop-bits", number(1, 2,
                               [&](int v) {
                                   options.settings.line.stopBits = v;
                                   options.lineGiven = true;
                               })},
        {"--firmware",
         [&](const std::string& v) {
             int major = 0, minor = 0;
             char extra = 0;
             if (std::sscanf(v.c_str(), "%d.%d%c", &major, &minor, &extra) != 2) {
                 error = "--firmware takes MAJ.MIN";
                 return false;
             }
             options.firmware = v;
             return true;
         }},
        {"--link",
         [&](const std::string& v) {
             options.link = v;
             return true;
         }},
        {"--device",
         [&](const std::string& v) {
             options.device = v;
             return true;
         }},
        {"--turnaround", number(0, 60000, [&](int v) { options.turnaroundMs = v; })},
        {"--foreign",
         [&](const std::string& v) {
             options.foreign = parseForeignMode(v);
             if (!options.foreign) error = "--foreign takes rtu, ascii or dcon";
             return options.foreign.has_value();
         }},
        {"--fault", [&](const std::string& v) { return addFault(v, options.faults, error); }},
        {"--seed",
         [&](const std::string& v) {
             const auto parsed = wholeNumber(v);
             if (!parsed || *parsed < 0)
                 error = "--seed takes a whole number";
             else
                 options.seed = static_cast<std::uint32_t>(*parsed);
             return parsed && *parsed >= 0;
         }},
        {"--state",
         [&](const std::string& v) {
             options.stateFile = v;
             return true;
         }},
        {"--log",
         [&](const std::string& v) {
             options.logFile = v;
             return true;
         }},
        {"--dat",
         [&](const std::string& v) {
             options.descriptionFile = v;
             return true;
         }},
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            return std::nullopt;
        }
        if (arg == "--pty") {
            options.pty = true;
            continue;
        }
        if (arg == "--wire-time") {
            options.wireTime = true;
            continue;
        }
        const auto handler = withValue.find(arg);
        if (handler == withValue.end()) {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        if (!handler->second(args[++i])) return std::nullopt;
    }
    if (options.model < 0)
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
