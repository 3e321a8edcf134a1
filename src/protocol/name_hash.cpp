#include "protocol/name_hash.h"

#include <array>
#include <cctype>

#include "protocol/character_codes.h"
#include "protocol/frame_codec.h"

namespace vantor {

std::uint16_t hash_name(std::string_view name) {
    if (name.empty()) return 0;
    // The fifth code only absorbs a fifth character; four codes go into the hash.
    std::array<int, 5> codes;
    codes.fill(kBlankCode);
    std::size_t stored = 0;
    for (char raw : name.substr(0, 8)) {
        if (stored > 4) break;
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (c == '.') {
            if (stored > 0) codes[stored - 1] += 1;
            continue;
        }
        const int code = characterCode(c);
        if (code >= 0) codes[stored++] = code;
    }
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < 4; ++i) crc = crc_bits(static_cast<std::uint8_t>(2 * codes[i]), 7, crc);
    return crc;
}

}  // namespace vantor
