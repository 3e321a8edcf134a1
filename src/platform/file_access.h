#pragma once
// Whole-file reads and crash-safe saves, with the reason in the system's words when
// they fail ("No such file or directory", "Is a directory", ...).

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor {

// Far more than any file the programs read: a larger one (or an endless device) is
// refused rather than allowed to fill the memory.
inline constexpr std::size_t kReadFileLimit = 256u << 20;

// Reads the whole file at `path`. False, with `bytes` empty and the reason in `reason`,
// when it cannot be opened or read or holds more than `limit` bytes. A regular file
// larger than `limit` and a device (an endless one such as /dev/zero, or a port that
// would wake up) are refused before anything is read; a pipe is read up to `limit`.
bool readFile(const std::string& path, std::string& bytes, std::string& reason, std::size_t limit = kReadFileLimit);

// Replaces the file at `path` with `bytes` through a temporary file in the same folder
// that is renamed over it once complete: after a crash the file is either the old one
// or the new one, never half of it. False with the reason; the old file is then kept.
// Something at `path` that is not a regular file (a device, a pipe, a directory) is
// never replaced.
bool saveFileAtomically(const std::string& path, std::string_view bytes, std::string& reason);

// Whether saveFileAtomically could save to `path` now: the folder exists and takes a
// new file, and nothing but a regular file is there. Nothing is left behind. False with
// the reason.
bool canSaveFile(const std::string& path, std::string& reason);

}  // namespace vantor
