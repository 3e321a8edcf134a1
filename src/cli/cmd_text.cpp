#include <cstdio>

#include "cli/commands.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kTextUsage[] =
    "usage: vantorctl text KEY\n"
    "Prints the text the keyed text table gives KEY (the string table when the key\n"
    "is missing), with its escapes turned into real characters.\n";

int runText(const Arguments& args) {
    if (args.size() != 1) return usageError("text", "give one KEY", kTextUsage);
    if (args[0].empty()) return usageError("text", "KEY is empty", kTextUsage);
    std::printf("%s\n", Text(args[0]).c_str());
    return 0;
}

}  // namespace vantor::cli
