#include "protocol/frame_codec.h"

namespace vantor {

namespace {
constexpr std::uint16_t kPolynomial = 0x8F57;
constexpr char kNibbleBase = 'G';
}  // namespace

std::uint16_t crc_bits(std::uint8_t value, int count, std::uint16_t crc) {
    for (int i = 0; i < count; ++i) {
        const bool feedback = ((crc >> 15) ^ (value >> 7)) & 1;
        crc = static_cast<std::uint16_t>(crc << 1);
        if (feedback) crc ^= kPolynomial;
        value = static_cast<std::uint8_t>(value << 1);
    }
    return crc;
}

std::uint16_t hash_buffer(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0;
    for (std::uint8_t b : bytes) crc = crc_bits(b, 8, crc);
    return crc;
}

std::string encode_buffer(std::span<const std::uint8_t> bytes) {
    std::string characters;
    characters.reserve(bytes.size() * 2);
    for (std::uint8_t b : bytes) {
        characters.push_back(static_cast<char>(kNibbleBase + (b >> 4)));
        characters.push_back(static_cast<char>(kNibbleBase + (b & 0x0F)));
    }
    return characters;
}

std::vector<std::uint8_t> decode_buffer(std::string_view characters) {
    auto nibble = [](char c) { return static_cast<std::uint8_t>((c - kNibbleBase) & 0x0F); };
    std::vector<std::uint8_t> bytes;
    bytes.reserve(characters.size() / 2);
    for (std::size_t i = 0; i + 1 < characters.size(); i += 2)
        bytes.push_back(static_cast<std::uint8_t>(nibble(characters[i]) << 4 | nibble(characters[i + 1])));
    return bytes;
}

}  // namespace vantor
