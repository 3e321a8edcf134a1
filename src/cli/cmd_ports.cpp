#include <cstdio>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "platform/serial_port.h"

namespace vantor::cli {

extern const char kPortsUsage[] =
    "usage: vantorctl ports\n"
    "Prints the serial ports present, one device path per line.\n";

int runPorts(const Arguments& args) {
    if (!args.empty()) return usageError("ports", "unexpected argument '" + args.front() + "'", kPortsUsage);
    std::istringstream names(ListSerialPorts());
    for (std::string name; std::getline(names, name, ':');) std::printf("%s\n", name.c_str());
    return 0;
}

}  // namespace vantor::cli
