#pragma once
// Runs one of the built programs as a user does (no shell), collecting its exit status
// and both output streams.

#include <string>
#include <vector>

namespace vantor::testing {

struct ProgramRun {
    int status = -1;  // -1 when the program could not run or did not exit normally
    std::string out;
    std::string err;
};

// `name` is a program in VANTOR_BIN_DIR.
ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args);

// The whole content of a file, empty when it cannot be read.
std::string readWholeFile(const std::string& path);

}  // namespace vantor::testing
