#include "run_program.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

extern char** environ;

namespace vantor::test {
namespace {

// How long a program may take to print a line or to end once asked: far beyond what
// it needs, so that only a program that hangs runs into it.
constexpr int kGenerousMs = 10000;

std::string programPath(const std::string& name) { return std::string(VANTOR_BIN_DIR) + "/" + name; }

std::vector<char*> argumentVector(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int exitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

ProgramRun runProgram(const std::string& name, const std::vector<std::string>& args) {
    const std::string program = programPath(name);
    char outPath[] = "/tmp/vantor-run-out-XXXXXX";
    char errPath[] = "/tmp/vantor-run-err-XXXXXX";
    const int outFd = mkstemp(outPath);
    const int errFd = mkstemp(errPath);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errFd, STDERR_FILENO);
    std::vector<char*> argv = argumentVector(program, args);

    ProgramRun run;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) run.status = exitStatus(pid);
    posix_spawn_file_actions_destroy(&actions);
    close(outFd);
    close(errFd);
    run.out = readWholeFile(outPath);
    run.err = readWholeFile(errPath);
    std::remove(outPath);
    std::remove(errPath);
    return run;
}

BackgroundProgram::BackgroundProgram(const std::string& name, const std::vector<std::string>& args, bool withErrors) {
    int out[2];
    if (pipe(out) != 0) return;
    const std::string program = programPath(name);
    std::vector<char*> argv = argumentVector(program, args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (withErrors) posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    output_ = out[0];
}

BackgroundProgram::~BackgroundProgram() {
    stop();
    if (output_ >= 0) close(output_);
}

std::string BackgroundProgram::readLine() {
    std::string line;
    char c = 0;
    pollfd ready{output_, POLLIN, 0};
    while (poll(&ready, 1, kGenerousMs) > 0 && read(output_, &c, 1) == 1 && c != '\n') line.push_back(c);
    return line;
}

int BackgroundProgram::stop(int signal) {
    if (pid_ <= 0) return status_;
    kill(pid_, signal);
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
    pollfd ended{pidfd, POLLIN, 0};
    if (pidfd < 0 || poll(&ended, 1, kGenerousMs) <= 0) kill(pid_, SIGKILL);
    if (pidfd >= 0) close(pidfd);
    status_ = exitStatus(pid_);
    pid_ = -1;
    return status_;
}

}  // namespace vantor::test
