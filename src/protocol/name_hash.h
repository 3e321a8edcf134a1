#pragma once
// The protocol hash of a parameter name: every parameter is addressed on the wire by it.

#include <cstdint>
#include <string_view>

namespace vantor {

// CRC-16 (crc_bits) over the 7-bit character codes of the first four stored
// characters of the name's first eight, upper-cased; a '.' adds 1 to the code before
// it, characters outside the code table are skipped, blanks pad a short name.
std::uint16_t hash_name(std::string_view name);

}  // namespace vantor
