#include <cstdio>

#include "cli/commands.h"
#include "protocol/name_hash.h"

namespace vantor::cli {

extern const char kHashUsage[] =
    "usage: vantorctl hash NAME...\n"
    "Prints the protocol hash of each parameter name, one line each: the name as\n"
    "given, a TAB, the hash as 0xHHHH.\n";

int runHash(const Arguments& args) {
    if (args.empty()) return usageError("hash", "no name given", kHashUsage);
    for (const std::string& name : args) std::printf("%s\t0x%04X\n", name.c_str(), hash_name(name));
    return 0;
}

}  // namespace vantor::cli
