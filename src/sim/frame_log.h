#pragma once
// The simulator's log: every frame in and out with a time stamp (to the microsecond),
// one line each.

#include <cstdio>
#include <string>

namespace vantor::sim {

class FrameLog {
public:
    // An empty path logs nothing. Throws std::runtime_error when the file cannot be opened.
    explicit FrameLog(const std::string& path);
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    // direction: "<" received, ">" sent, "!" a note.
    void write(const char* direction, const std::string& bytes);

private:
    std::FILE* file_ = nullptr;
};

// Bytes made readable: printable characters as they are, others as \r, \n or \xNN.
std::string printable(const std::string& bytes);

}  // namespace vantor::sim
