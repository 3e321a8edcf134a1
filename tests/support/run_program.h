#pragma once
// Runs one of the built programs as a user does (no shell), collecting its exit
// status and both output streams.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vantor::testing {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args) {
    char outPath[] = "/tmp/vantor-run-out-XXXXXX";
    char errPath[] = "/tmp/vantor-run-err-XXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    const std::string program = std::string(VANTOR_BIN_DIR) + "/" + name;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(outFd, STDOUT_FILENO);
        dup2(errFd, STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    close(outFd);
    close(errFd);
    ProgramRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readWholeFile(outPath),
                   readWholeFile(errPath)};
    std::remove(outPath);
    std::remove(errPath);
    return run;
}

}  // namespace vantor::testing
