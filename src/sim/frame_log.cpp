#include "sim/frame_log.h"

#include <chrono>
#include <ctime>
#include <stdexcept>

namespace vantor::sim {

std::string printable(const std::string& bytes) {
    std::string text;
    for (unsigned char c : bytes) {
        if (c == '\r')
            text += "\\r";
        else if (c == '\n')
            text += "\\n";
        else if (c < 0x20 || c > 0x7E || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        } else
            text.push_back(static_cast<char>(c));
    }
    return text;
}

FrameLog::FrameLog(const std::string& path) {
    if (path.empty()) return;
    file_ = std::fopen(path.c_str(), "a");
    if (!file_) throw std::runtime_error("cannot open the log " + path);
}

FrameLog::~FrameLog() {
    if (file_) std::fclose(file_);
}

void FrameLog::write(const char* direction, const std::string& bytes) {
    if (!file_) return;
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    // Microseconds: a character of a fast line takes less than a tenth of a millisecond.
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count() % 1000000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(file_, "%s.%06d %s %s\n", stamp, static_cast<int>(micros), direction, printable(bytes).c_str());
    std::fflush(file_);
}

}  // namespace vantor::sim
