#pragma once
// The description container "vantor.dat": one zlib-compressed description stream per
// model, named as the catalogue gives it (e.g. "kq-01.tree").

#include <cstddef>
#include <string>
#include <string_view>

namespace vantor {

// The container's file name.
inline constexpr const char* kDescriptionFileName = "vantor.dat";

// "vantor.dat" in the folder of the running program.
std::string defaultDescriptionFile();

// Far more text than any description holds: a stream that inflates beyond it is
// refused rather than allowed to fill the memory.
inline constexpr std::size_t kMaxDescriptionText = 64u << 20;

// Inflates one zlib stream in steps of 16384 bytes of output. An inflate error ends
// the work; what was inflated until then is kept. A text that grows beyond `limit`
// gives nothing.
std::string InflateDescription(std::string_view compressed, std::size_t limit = kMaxDescriptionText);
// Compresses a description text as one zlib stream.
std::string DeflateDescription(std::string_view text);

// A stream holds its text in Windows-1251; inside the program texts are UTF-8.
std::string EncodeDescriptionStream(std::string_view utf8Text);
std::string DecodeDescriptionStream(std::string_view stream);

// Reads and decodes the stream `stream` of the container `path`. False (and `text`
// empty) when the file is missing or no compound file, the stream is missing, or it
// inflates to nothing. Never creates or changes the file.
bool ReadDescriptionStream(const std::string& path, const std::string& stream, std::string& text);

}  // namespace vantor
