#pragma once
// The progress line of long module commands on a terminal (stderr): the count and
// what is being done, rewritten in place; nothing when stderr is no terminal.

#include <string>

namespace vantor::cli {

class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine();  // clears the line
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void show(int done, int total, const std::string& what);
    // True once SIGTERM or SIGINT ended the command (EndOnSignal): work that goes on
    // step by step stops at its next step.
    static bool interrupted();

private:
    bool terminal_;
    bool shown_ = false;
};

}  // namespace vantor::cli
