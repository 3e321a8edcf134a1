#include "document/archive_writer.h"

#include <algorithm>

#include "document/archive_tags.h"
#include "platform/encoding.h"

namespace vantor {

void ArchiveWriter::writeByte(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }

void ArchiveWriter::writeWord(std::uint16_t value) {
    writeByte(static_cast<std::uint8_t>(value));
    writeByte(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::writeDword(std::uint32_t value) {
    writeWord(static_cast<std::uint16_t>(value));
    writeWord(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::writeString(std::string_view utf8) {
    const std::string characters = utf8ToCp1251(utf8);
    const std::size_t length = characters.size();
    if (length < kStringLengthInWord) {
        writeByte(static_cast<std::uint8_t>(length));
    } else if (length < kStringWideMarker) {
        writeByte(kStringLengthInWord);
        writeWord(static_cast<std::uint16_t>(length));
    } else {
        writeByte(kStringLengthInWord);
        writeWord(kStringLengthInDword);
        writeDword(static_cast<std::uint32_t>(length));
    }
    bytes_ += characters;
}

void ArchiveWriter::writeClass(std::string_view name, std::uint16_t schema) {
    const auto known = std::find(classes_.begin(), classes_.end(), name);
    if (known != classes_.end()) {
        const auto number = static_cast<std::uint32_t>(known - classes_.begin()) + 1;
        if (number < kLongTag) {
            writeWord(static_cast<std::uint16_t>(kClassReference | number));
        } else {
            writeWord(kLongTag);
            writeDword(kLongClassReference | number);
        }
        return;
    }
    classes_.emplace_back(name);
    writeWord(kNewClassTag);
    writeWord(schema);
    writeWord(static_cast<std::uint16_t>(name.size()));
    bytes_ += name;
}

}  // namespace vantor
