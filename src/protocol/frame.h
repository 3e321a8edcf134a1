#pragma once
// Request and reply frames of the module protocol. Binary layout (N data bytes, 0..15):
//   0      address (8-bit addressing), or address bits 10..3 (11-bit addressing)
//   1      bits 7..5 address bits 2..0 (11-bit only), bit 4 request bit, bits 3..0 N
//   2, 3   parameter-name hash, high byte first
//   4..    N data bytes
//   then   hash_buffer over everything before it, high byte first
// On the line: '#', encode_buffer of the binary frame, carriage return. Both sides of
// the link use these functions: the configurator builds requests and parses replies,
// the virtual module parses requests and builds replies.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

inline constexpr std::uint16_t kHashDeviceError = 0x0233;  // "n.Err": first data byte is the error code
inline constexpr std::uint16_t kHashApply = 0x8403;        // "APLY": its reply is not validated
inline constexpr std::size_t kMaxFrameData = 15;           // the 4-bit length field
inline constexpr std::size_t kMinFrameBytes = 6;           // header and checksum, no data
inline constexpr char kFrameStart = '#';
inline constexpr char kFrameEnd = '\r';

// The address on the wire for a parameter's address offset: -1 is the broadcast form,
// which always goes to address 255.
constexpr int wireAddress(int baseAddress, int addressOffset) {
    return addressOffset == -1 ? 255 : baseAddress + addressOffset;
}

// "A.Len": 11 selects 11-bit addressing, any other value 8-bit.
constexpr bool isElevenBitAddressing(int addressLength) { return addressLength == 11; }

// The highest address the address length reaches, and the highest of any length.
constexpr int highestAddress(int addressLength) { return isElevenBitAddressing(addressLength) ? 2047 : 255; }
inline constexpr int kHighestAddress = highestAddress(11);

struct FrameFields {
    int address = 0;
    int addressLength = 8;
    bool requestBit = true;  // true: read request; false: the frame carries data to write
    std::uint16_t hash = 0;
    std::vector<std::uint8_t> data;
};

// The binary frame with its checksum; nullopt when there are more than 15 data bytes.
std::optional<std::vector<std::uint8_t>> BuildBinaryFrame(const FrameFields& fields);

// The frame as it goes on the line, '#' to carriage return; nullopt as above.
std::optional<std::string> BuildFrame(const FrameFields& fields);

enum class FrameCheck {
    Ok,
    NoHeader,   // fewer than 2 characters, or the first is not '#'
    BadLength,  // fewer than 6 bytes, or the length field does not match the bytes received
    BadChecksum,
};

// A frame read off the line, before the reader applies its own address length.
struct ReceivedFrame {
    std::uint8_t addressByte = 0;
    std::uint8_t controlByte = 0;
    std::uint16_t hash = 0;
    std::vector<std::uint8_t> data;

    bool requestBit() const { return controlByte & 0x10; }
    int address(int addressLength) const;
};

// Parses received characters: '#', the encoded frame, and a final character (normally
// the carriage return) that is not decoded. Never reads past `characters`; `frame` is
// filled only when the result is Ok.
FrameCheck ParseFrame(std::string_view characters, ReceivedFrame& frame);

}  // namespace vantor
