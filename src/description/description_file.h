#pragma once
// The description container "vantor.dat": one zlib-compressed description stream per
// model, named as the catalogue gives it (e.g. "kq-01.tree").

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/compound_file.h"

namespace vantor {

// The container's file name.
inline constexpr const char* kDescriptionFileName = "vantor.dat";

// "vantor.dat" in the folder of the running program.
std::string defaultDescriptionFile();

// Far more text than any description holds: a stream that inflates beyond it is
// refused rather than allowed to fill the memory.
inline constexpr std::size_t kMaxDescriptionText = 64u << 20;

enum class InflateStatus { Done, Damaged, TooLarge };

// Inflates one whole zlib stream. Done only when the stream reached its end and its
// check sum matched; otherwise `text` is empty, nothing partial is kept, and for a
// damaged stream (bad data, cut short, wrong check sum) `detail` says what was found.
// A text that grows beyond `limit` is TooLarge.
InflateStatus InflateDescription(std::string_view compressed, std::string& text, std::string& detail,
                                 std::size_t limit = kMaxDescriptionText);
// Compresses a description text as one zlib stream.
std::string DeflateDescription(std::string_view text);

// A stream holds its text in Windows-1251; inside the program texts are UTF-8.
std::string EncodeDescriptionStream(std::string_view utf8Text);

// Reads, inflates and decodes the stream `stream` of an open container. False, with
// the reason ("stream kq-01.tree is damaged: incorrect data check"), when it is
// missing, unreadable, damaged or too large.
bool DecodeContainerStream(const CompoundFileReader& file, const std::string& stream, std::string& text,
                           std::string& reason);

// The same from the container `path`. False (and `text` empty), with the reason and
// the path in `reason`, when the file cannot be read or is no compound file, or the
// stream cannot be decoded. Never creates or changes the file.
bool ReadDescriptionStream(const std::string& path, const std::string& stream, std::string& text, std::string& reason);

}  // namespace vantor
