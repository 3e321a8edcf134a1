#include "platform/encoding.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace vantor {

namespace {

// Converts with iconv; at an input byte it cannot take, emits '?' and skips one input
// character (one byte, or the whole UTF-8 sequence when the source is UTF-8).
std::string convert(std::string_view input, const char* from, const char* to, bool fromUtf8) {
    iconv_t cd = iconv_open(to, from);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): (iconv_t)-1 is iconv's own failure value
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);
    std::string output;
    std::vector<char> buffer(4 * input.size() + 8);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        char* out = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), out);
        if (done != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: replace one character and go on after it.
        output.push_back('?');
        std::size_t skip = 1;
        if (fromUtf8) {
            while (skip < inLeft && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
        }
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return output;
}

}  // namespace

std::string cp1251ToUtf8(std::string_view bytes) { return convert(bytes, "CP1251", "UTF-8", false); }

std::string utf8ToCp1251(std::string_view text) { return convert(text, "UTF-8", "CP1251", true); }

}  // namespace vantor
