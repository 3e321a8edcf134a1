#pragma once
// The byte-level tools of the module protocol: the 16-bit frame checksum and the
// printable form a frame takes on the line (each nibble n as the character 'G' + n).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// Feeds the `count` most significant bits of `value` into `crc` (CRC-16, polynomial
// 0x8F57, MSB first, no reflection); a count of 0 or less leaves crc unchanged.
std::uint16_t crc_bits(std::uint8_t value, int count, std::uint16_t crc);

// The frame checksum over a byte buffer: crc_bits over every byte, starting from 0.
std::uint16_t hash_buffer(std::span<const std::uint8_t> bytes);

// Every byte as two characters 'G'..'V', high nibble first.
std::string encode_buffer(std::span<const std::uint8_t> bytes);

// The inverse: count/2 bytes, an unpaired last character is ignored. A character
// outside 'G'..'V' contributes only the low four bits of its distance from 'G', so it
// never spills into the other nibble; the checksum then rejects the frame.
std::vector<std::uint8_t> decode_buffer(std::string_view characters);

}  // namespace vantor
