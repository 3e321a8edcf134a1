#pragma once
// The three foreign protocols a module can be woken up in while it does not answer the
// native one: Modbus RTU, Modbus ASCII and DCON. Each wraps a short message whose first
// byte is the module address. Both sides of the link use these functions.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantor {

// The process-wide protocol mode of the link: native except while connection recovery
// runs.
enum class ProtocolMode : std::uint8_t { Native = 0, ModbusRtu = 1, ModbusAscii = 2, Dcon = 3 };

// Outcome of one foreign exchange.
enum ForeignStatus : int {
    kForeignOk = 0,
    kForeignRefused = -1,  // addresses longer than 8 bits cannot be sent
    kForeignTimeout = 2,
    kForeignConnection = 3,  // serial error events
    kForeignChecksum = 4,
    kForeignAddress = 5,    // the reply comes from another address
    kForeignIncorrect = 6,  // the reply is not a message of the protocol
};

// DCON marks requests with '%' and replies with '!'; Modbus uses one form for both.
enum class ForeignDirection { Request, Reply };

// Modbus CRC-16: polynomial 0xA001 reflected, initial value 0xFFFF.
std::uint16_t modbusCrc(std::span<const std::uint8_t> bytes);
// Modbus ASCII LRC: two's complement of the 8-bit sum.
std::uint8_t modbusLrc(std::span<const std::uint8_t> bytes);

// The message as it goes on the line. `bytes` starts with the address. RTU: bytes and
// CRC low byte first. ASCII: ':', hex pairs, LRC, CR LF. DCON: lead character, address
// as two hex digits, the other bytes as characters, the 8-bit sum of all characters so
// far as two hex digits, CR. Native mode yields an empty text.
std::string WrapForeign(ProtocolMode mode, std::span<const std::uint8_t> bytes,
                        ForeignDirection direction = ForeignDirection::Request);

// The inverse: on kForeignOk `bytes` holds the address followed by the message; else
// kForeignChecksum or kForeignIncorrect. The address itself is the caller's to check.
int UnwrapForeign(ProtocolMode mode, std::string_view line, std::vector<std::uint8_t>& bytes,
                  ForeignDirection direction = ForeignDirection::Reply);

// The request that switches a module to the native protocol (without the address):
// Modbus "write single coil 0xF0F0 on", DCON "TAVR".
std::vector<std::uint8_t> NativeModeRequest(ProtocolMode mode);

}  // namespace vantor
