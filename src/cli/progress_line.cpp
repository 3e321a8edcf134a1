#include "cli/progress_line.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace vantor::cli {

namespace {

volatile std::sig_atomic_t interruptCount = 0;

extern "C" void onInterrupt(int) { interruptCount = interruptCount + 1; }

}  // namespace

ProgressLine::ProgressLine() : terminal_(::isatty(STDERR_FILENO)) {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

ProgressLine::~ProgressLine() {
    if (shown_) std::fputs("\r\033[K", stderr);
    std::signal(SIGINT, SIG_DFL);
}

void ProgressLine::show(int done, int total, const std::string& what) {
    if (!terminal_) return;
    std::fprintf(stderr, "\r\033[K%d/%d %s", done, total, what.c_str());
    std::fflush(stderr);
    shown_ = true;
}

bool ProgressLine::interrupted() { return interruptCount > 0; }

}  // namespace vantor::cli
