#pragma once
// Writes the object stream that configuration files are made of: little-endian
// integers, length-prefixed strings (Windows-1251 in the stream, UTF-8 in memory) and a
// class record in front of every object, naming its class and schema.
//
// String length prefix: one BYTE below 255; BYTE 0xFF and a WORD up to 65533; beyond
// that BYTE 0xFF, WORD 0xFFFF and a DWORD. (WORD 0xFFFE announces 16-bit characters,
// which only a reader meets.)
// Class record: on a class's first appearance WORD 0xFFFF, WORD schema, WORD name
// length and the name; afterwards WORD 0x8000 + n, classes numbered 1, 2, 3 ... in the
// order of their first appearance (from 0x7FFF on: WORD 0x7FFF, DWORD 0x80000000 + n).

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vantor {

class ArchiveWriter {
public:
    void writeByte(std::uint8_t value);
    void writeWord(std::uint16_t value);
    void writeDword(std::uint32_t value);
    // Signed fields are stored in two's complement.
    void writeInt(std::int32_t value) { writeDword(static_cast<std::uint32_t>(value)); }
    void writeString(std::string_view utf8);
    void writeClass(std::string_view name, std::uint16_t schema);

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
    std::unordered_map<std::string, std::uint32_t> classNumbers_;
};

}  // namespace vantor
