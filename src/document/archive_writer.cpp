#include "document/archive_writer.h"

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
    const auto [known, isNew] =
        classNumbers_.try_emplace(std::string(name), static_cast<std::uint32_t>(classNumbers_.size()) + 1);
    if (isNew) {
        writeWord(kNewClassTag);
        writeWord(schema);
        writeWord(static_cast<std::uint16_t>(name.size()));
        bytes_ += name;
    } else if (known->second < kLongTag) {
        writeWord(static_cast<std::uint16_t>(kClassReference | known->second));
    } else {
        writeWord(kLongTag);
        writeDword(kLongClassReference | known->second);
    }
}

}  // namespace vantor
