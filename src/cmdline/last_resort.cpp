#include "cmdline/last_resort.h"

#include <cstdio>
#include <exception>

namespace vantor::cmdline {

int runReportingEscapes(const char* program, int (*run)(int argc, char** argv), int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
    } catch (...) {
        std::fprintf(stderr, "%s: unexpected failure\n", program);
    }
    return 1;
}

}  // namespace vantor::cmdline
