#include "platform/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSaveFile>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace vantor {

namespace {

std::string systemReason(int error) { return std::error_code(error, std::system_category()).message(); }

QString filePath(const std::string& path) { return QString::fromStdString(path); }

constexpr char kNotARegularFile[] = "Not a regular file";

std::string tooLarge(std::size_t limit) { return "more than " + std::to_string(limit) + " bytes"; }

bool isDevice(const struct stat& info) { return S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode); }

// What is at `path` (followed through links) may not be replaced by a save: a device,
// a pipe, a socket. A path with nothing at it may; a folder the save refuses itself.
bool refusesSave(const std::string& path, std::string& reason) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) return false;
    reason = kNotARegularFile;
    return true;
}

}  // namespace

bool readFile(const std::string& path, std::string& bytes, std::string& reason, std::size_t limit) {
    bytes.clear();
    // A device is not opened at all: opening a port may wake what hangs on it.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && isDevice(info)) {
        reason = kNotARegularFile;
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = systemReason(errno);
        return false;
    }
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > limit) {
        reason = tooLarge(limit);
        ::close(fd);
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {  // a directory says so here
            reason = systemReason(errno);
            ok = false;
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            reason = tooLarge(limit);
            ok = false;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!ok) bytes.clear();
    return ok;
}

bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string& reason) {
    if (refusesSave(path, reason)) return false;
    // QSaveFile writes beside the target, syncs and renames on commit, and keeps the
    // permissions of a file it replaces. Unbuffered, because the flush of a buffered one
    // ignores a write that fails (a full disk) and the commit would then put a short
    // file in place of the old one.
    QSaveFile file(filePath(path));
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes.data(), size) != size ||
        !file.commit()) {
        reason = file.errorString().toStdString();
        return false;
    }
    return true;
}

bool canSaveFile(const std::string& path, std::string& reason) {
    if (refusesSave(path, reason)) return false;
    QSaveFile file(filePath(path));
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString().toStdString();
        return false;
    }
    file.cancelWriting();  // the temporary file goes with the object
    return true;
}

}  // namespace vantor
