#include <cstdio>

#include "cli/commands.h"
#include "text/texts.h"

namespace vantor::cli {

int runText(const Arguments& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: vantorctl text KEY\n");
        return 2;
    }
    std::printf("%s\n", Text(args[0]).c_str());
    return 0;
}

}  // namespace vantor::cli
