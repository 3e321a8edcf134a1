#pragma once
// Reads the object stream of configuration files (the format is described in
// archive_writer.h) from bytes in memory. Every item is bounds-checked: a length that
// runs past the end is a truncation, never an allocation of that size. Besides what
// the writer produces the reader takes strings of 16-bit characters (WORD 0xFFFE after
// the BYTE 0xFF, then the length prefix again, in characters) and the long class
// reference (WORD 0x7FFF, DWORD 0x80000000 + n).

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

enum class ArchiveError {
    EndOfFile,  // the stream ended before the item was complete
    BadClass,   // a class record that names another class than expected, or no class
    BadString,  // a length prefix that is no length
};

class ArchiveException : public std::runtime_error {
public:
    explicit ArchiveException(ArchiveError error);
    ArchiveError error() const { return error_; }

private:
    ArchiveError error_;
};

// Each read throws ArchiveException when the item cannot be read.
class ArchiveReader {
public:
    explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t readByte();
    std::uint16_t readWord();
    std::uint32_t readDword();
    std::int32_t readInt() { return static_cast<std::int32_t>(readDword()); }
    // The text in UTF-8.
    std::string readString();
    // The schema of the class record that comes next, which must name `expected`.
    std::uint16_t readClass(std::string_view expected);

    std::size_t remaining() const { return bytes_.size() - position_; }

private:
    struct ClassEntry {
        std::string name;
        std::uint16_t schema;
    };

    std::string_view take(std::size_t count);
    // A string's length prefix; `wide` (null once the marker was met) is set by the
    // 16-bit marker, after which the prefix comes again.
    std::uint32_t readLength(bool* wide);

    std::string_view bytes_;
    std::size_t position_ = 0;
    std::vector<ClassEntry> classes_;  // class n is classes_[n - 1]
};

}  // namespace vantor
