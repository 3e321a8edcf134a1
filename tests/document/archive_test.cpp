#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "document/archive_reader.h"
#include "document/archive_writer.h"

namespace vantor {
namespace {

// The error a read of `bytes` ends in, or none when `read` gets through.
template <typename Read>
std::optional<ArchiveError> errorOf(std::string_view bytes, Read read) {
    ArchiveReader in(bytes);
    try {
        read(in);
    } catch (const ArchiveException& e) {
        return e.error();
    }
    return std::nullopt;
}

TEST(Archive, IntegersAreLittleEndian) {
    ArchiveWriter out;
    out.writeByte(0x12);
    out.writeWord(0x3456);
    out.writeDword(0x789ABCDE);
    out.writeInt(-2);
    EXPECT_EQ(out.bytes(), std::string("\x12\x56\x34\xDE\xBC\x9A\x78\xFE\xFF\xFF\xFF", 11));

    ArchiveReader in(out.bytes());
    EXPECT_EQ(in.readByte(), 0x12);
    EXPECT_EQ(in.readWord(), 0x3456);
    EXPECT_EQ(in.readDword(), 0x789ABCDEu);
    EXPECT_EQ(in.readInt(), -2);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_EQ(errorOf("\x01", [](ArchiveReader& r) { r.readWord(); }), ArchiveError::EndOfFile);
}

TEST(Archive, StringLengthPrefixesByLength) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {300, "\xFF\x2C\x01"},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'x');
        ArchiveWriter out;
        out.writeString(text);
        EXPECT_EQ(out.bytes(), c.prefix + text);
        ArchiveReader in(out.bytes());
        EXPECT_EQ(in.readString(), text);
        EXPECT_EQ(in.remaining(), 0u);
    }
}

TEST(Archive, StringsAreWindows1251InTheStream) {
    ArchiveWriter out;
    out.writeString("Вход №2");
    EXPECT_EQ(out.bytes(), "\x07\xC2\xF5\xEE\xE4 \xB9\x32");
    EXPECT_EQ(ArchiveReader(out.bytes()).readString(), "Вход №2");
}

TEST(Archive, ReadsStringsOf16BitCharacters) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string text;
    };
    const std::string units300 = [] {
        std::string units;
        for (int i = 0; i < 300; ++i) units += std::string("\x16\x04", 2);  // Ж
        return units;
    }();
    std::string text300;
    for (int i = 0; i < 300; ++i) text300 += "Ж";
    const Case cases[] = {
        {"short length", std::string("\xFF\xFE\xFF\x03\x41\x00\x2F\x04\xAC\x20", 10), "AЯ€"},
        {"word length", std::string("\xFF\xFE\xFF\xFF\x2C\x01", 6) + units300, text300},
        {"surrogate pair", std::string("\xFF\xFE\xFF\x02\x3D\xD8\x00\xDE", 8), "\xF0\x9F\x98\x80"},
        {"lone surrogate", std::string("\xFF\xFE\xFF\x02\x00\xDC\x41\x00", 8), "?A"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ArchiveReader in(c.bytes);
        EXPECT_EQ(in.readString(), c.text);
        EXPECT_EQ(in.remaining(), 0u);
    }
}

TEST(Archive, BadStringLengthsFailWithoutAllocating) {
    struct Case {
        const char* name;
        std::string bytes;
        ArchiveError error;
    };
    const Case cases[] = {
        {"characters missing",
         "\x05"
         "abc",
         ArchiveError::EndOfFile},
        {"huge length", std::string("\xFF\xFF\xFF\xF0\xFF\xFF\xFF", 7) + "abc", ArchiveError::EndOfFile},
        {"huge 16-bit length", std::string("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 10) + "abcd",
         ArchiveError::EndOfFile},
        {"odd byte of a 16-bit string", std::string("\xFF\xFE\xFF\x01\x41", 5), ArchiveError::EndOfFile},
        {"length prefix cut", "\xFF\x01", ArchiveError::EndOfFile},
        {"marker twice", std::string("\xFF\xFE\xFF\xFF\xFE\xFF\x00", 7), ArchiveError::BadString},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf(c.bytes, [](ArchiveReader& r) { r.readString(); }), c.error);
    }
}

TEST(Archive, ClassRecordsNumberClassesByFirstAppearance) {
    ArchiveWriter out;
    out.writeClass("CPlimoDoc", 5);
    out.writeClass("DescBranch", 3);
    out.writeClass("DescBranch", 3);
    out.writeClass("CPlimoDoc", 5);
    EXPECT_EQ(out.bytes(), std::string("\xFF\xFF\x05\x00\x09\x00"
                                       "CPlimoDoc"
                                       "\xFF\xFF\x03\x00\x0A\x00"
                                       "DescBranch"
                                       "\x02\x80\x01\x80",
                                       4 + 6 + 9 + 6 + 10));

    ArchiveReader in(out.bytes());
    EXPECT_EQ(in.readClass("CPlimoDoc"), 5);
    EXPECT_EQ(in.readClass("DescBranch"), 3);
    EXPECT_EQ(in.readClass("DescBranch"), 3);  // the schema of the first appearance
    EXPECT_EQ(in.readClass("CPlimoDoc"), 5);
}

TEST(Archive, ClassNumbersFrom0x7FFFTakeTheLongReference) {
    ArchiveWriter out;
    const int classes = 0x7FFF;
    for (int i = 1; i <= classes; ++i) out.writeClass("C" + std::to_string(i), 1);
    const std::size_t before = out.bytes().size();
    out.writeClass("C32767", 1);
    out.writeClass("C32766", 1);
    EXPECT_EQ(out.bytes().substr(before), std::string("\xFF\x7F\xFF\x7F\x00\x80\xFE\xFF", 8));

    ArchiveReader in(out.bytes());
    for (int i = 1; i <= classes; ++i) in.readClass("C" + std::to_string(i));
    EXPECT_EQ(in.readClass("C32767"), 1);
    EXPECT_EQ(in.readClass("C32766"), 1);
}

TEST(Archive, ClassRecordsNamingNoExpectedClassFail) {
    const std::string first(
        "\xFF\xFF\x03\x00\x0A\x00"
        "DescBranch",
        16);
    struct Case {
        const char* name;
        std::string bytes;
        std::optional<ArchiveError> error;
    };
    const Case cases[] = {
        {"unknown name", std::string("\xFF\xFF\x03\x00\x0A\x00", 6) + "DescBranco", ArchiveError::BadClass},
        {"number never given", first + std::string("\x02\x80", 2), ArchiveError::BadClass},
        {"number 0", first + std::string("\x00\x80", 2), ArchiveError::BadClass},
        {"object reference", first + std::string("\x01\x00", 2), ArchiveError::BadClass},
        {"long object reference", first + std::string("\xFF\x7F\x01\x00\x00\x00", 6), ArchiveError::BadClass},
        {"long class reference", first + std::string("\xFF\x7F\x01\x00\x00\x80", 6), std::nullopt},
        {"name cut", std::string("\xFF\xFF\x03\x00\x0A\x00", 6) + "Desc", ArchiveError::EndOfFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf(c.bytes,
                          [](ArchiveReader& r) {
                              r.readClass("DescBranch");
                              r.readClass("DescBranch");
                          }),
                  c.error);
    }
    // A known class where another is expected.
    EXPECT_EQ(errorOf(first + std::string("\x01\x80", 2),
                      [](ArchiveReader& r) {
                          r.readClass("DescBranch");
                          r.readClass("MyConverter");
                      }),
              ArchiveError::BadClass);
}

}  // namespace
}  // namespace vantor
