#pragma once
// Runs one of the built programs as a user does (no shell): to the end, collecting its
// exit status and both output streams, or in the background, reading its output line
// by line while it serves.

#include <signal.h>
#include <sys/types.h>
#include <string>
#include <vector>

namespace vantor::test {

struct ProgramRun {
    int status = -1;  // -1 when the program could not run or did not exit normally
    std::string out;
    std::string err;
};

// `name` is a program in VANTOR_BIN_DIR.
ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args);

// A program in VANTOR_BIN_DIR running beside the test, its standard output on a pipe.
// It is stopped with SIGTERM (SIGKILL as the last resort) on every path out of the test.
class BackgroundProgram {
public:
    // With `withErrors` its standard error goes to the same pipe as its output.
    BackgroundProgram(const std::string& name, const std::vector<std::string>& args, bool withErrors = false);
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

    // The next line of its output without the line feed; empty when none comes.
    std::string readLine();
    // `signal` (SIGTERM unless told), then the exit status (-1 when it had to be killed
    // or never ran).
    int stop(int signal = SIGTERM);

private:
    pid_t pid_ = -1;
    int output_ = -1;
    int status_ = -1;
};

// The whole content of a file, empty when it cannot be read.
std::string readWholeFile(const std::string& path);

}  // namespace vantor::test
