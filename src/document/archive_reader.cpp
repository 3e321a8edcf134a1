#include "document/archive_reader.h"

#include "document/archive_tags.h"
#include "platform/encoding.h"

namespace vantor {

namespace {

const char* describe(ArchiveError error) {
    switch (error) {
    case ArchiveError::EndOfFile: return "end of file";
    case ArchiveError::BadClass: return "unexpected class record";
    case ArchiveError::BadString: return "bad string length";
    }
    return "archive error";
}

void appendUtf8(std::string& text, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        text.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// UTF-16LE code units to UTF-8; a surrogate without its partner becomes '?'.
std::string utf16ToUtf8(std::string_view bytes) {
    const auto unit = [&](std::size_t i) {
        return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                          static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8);
    };
    const std::size_t units = bytes.size() / 2;
    std::string text;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t u = unit(i);
        const bool high = u >= 0xD800 && u < 0xDC00;
        if (high && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) < 0xE000) {
            appendUtf8(text, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            text.push_back('?');
        } else {
            appendUtf8(text, u);
        }
    }
    return text;
}

}  // namespace

ArchiveException::ArchiveException(ArchiveError error) : std::runtime_error(describe(error)), error_(error) {}

std::string_view ArchiveReader::take(std::size_t count) {
    if (count > remaining()) throw ArchiveException(ArchiveError::EndOfFile);
    const std::string_view part = bytes_.substr(position_, count);
    position_ += count;
    return part;
}

std::uint8_t ArchiveReader::readByte() { return static_cast<std::uint8_t>(take(1)[0]); }

std::uint16_t ArchiveReader::readWord() {
    const std::uint8_t low = readByte();
    return static_cast<std::uint16_t>(low | readByte() << 8);
}

std::uint32_t ArchiveReader::readDword() {
    const std::uint16_t low = readWord();
    return low | static_cast<std::uint32_t>(readWord()) << 16;
}

std::uint32_t ArchiveReader::readLength(bool* wide) {
    const std::uint8_t first = readByte();
    if (first < kStringLengthInWord) return first;
    const std::uint16_t word = readWord();
    if (word == kStringLengthInDword) return readDword();
    if (word != kStringWideMarker) return word;
    // The marker comes once, in front of the real length prefix.
    if (!wide) throw ArchiveException(ArchiveError::BadString);
    *wide = true;
    return readLength(nullptr);
}

std::string ArchiveReader::readString() {
    bool wide = false;
    const std::uint32_t length = readLength(&wide);
    if (!wide) return cp1251ToUtf8(take(length));
    if (length > remaining() / 2) throw ArchiveException(ArchiveError::EndOfFile);
    return utf16ToUtf8(take(2 * std::size_t{length}));
}

std::uint16_t ArchiveReader::readClass(std::string_view expected) {
    const std::uint16_t tag = readWord();
    if (tag == kNewClassTag) {
        const std::uint16_t schema = readWord();
        const std::string_view name = take(readWord());
        if (name != expected) throw ArchiveException(ArchiveError::BadClass);
        classes_.push_back({std::string(name), schema});
        return schema;
    }
    // A tag without the class bit would refer to an object; these streams hold none.
    const bool longTag = tag == kLongTag;
    const std::uint32_t reference = longTag ? readDword() : tag;
    const std::uint32_t classBit = longTag ? kLongClassReference : kClassReference;
    if (!(reference & classBit)) throw ArchiveException(ArchiveError::BadClass);
    const std::uint32_t number = reference & ~classBit;
    if (number == 0 || number > classes_.size() || classes_[number - 1].name != expected)
        throw ArchiveException(ArchiveError::BadClass);
    return classes_[number - 1].schema;
}

}  // namespace vantor
