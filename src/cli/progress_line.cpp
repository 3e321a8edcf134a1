#include "cli/progress_line.h"

#include <unistd.h>

#include <cstdio>

#include "cli/end_on_signal.h"

namespace vantor::cli {

ProgressLine::ProgressLine() : terminal_(::isatty(STDERR_FILENO)) {}

ProgressLine::~ProgressLine() {
    if (shown_) std::fputs("\r\033[K", stderr);
}

void ProgressLine::show(int done, int total, const std::string& what) {
    if (!terminal_) return;
    std::fprintf(stderr, "\r\033[K%d/%d %s", done, total, what.c_str());
    std::fflush(stderr);
    shown_ = true;
}

bool ProgressLine::interrupted() { return EndOnSignal::ended(); }

}  // namespace vantor::cli
