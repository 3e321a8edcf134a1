#pragma once
// The marker values of the object stream, shared by its writer and its reader.

#include <cstdint>

namespace vantor {

// String length prefixes.
inline constexpr std::uint8_t kStringLengthInWord = 0xFF;      // a WORD length follows
inline constexpr std::uint16_t kStringWideMarker = 0xFFFE;     // 16-bit characters follow
inline constexpr std::uint16_t kStringLengthInDword = 0xFFFF;  // a DWORD length follows

// Class records.
inline constexpr std::uint16_t kNewClassTag = 0xFFFF;
inline constexpr std::uint16_t kClassReference = 0x8000;          // | class number
inline constexpr std::uint16_t kLongTag = 0x7FFF;                 // a DWORD tag follows
inline constexpr std::uint32_t kLongClassReference = 0x80000000;  // | class number

}  // namespace vantor
