#pragma once
// The line settings the device link opens its port with, as the program's network
// settings element gives them: what "Port", "bPS", "PrtY", "LEn", "Sbit", "Addr" and
// "A.Len" hold, and the adapter mode asked for.

#include <cstdint>
#include <optional>
#include <string>

namespace vantor {

// Parity codes of the serial port.
inline constexpr std::uint32_t kParityCodeEven = 1;
inline constexpr std::uint32_t kParityCodeNone = 3;
inline constexpr std::uint32_t kParityCodeOdd = 4;

// Adapter modes of the RS-485 adapter.
inline constexpr std::uint32_t kAdapterModeZk7 = 0;  // the program raises RTS while it sends
inline constexpr std::uint32_t kAdapterModeAuto = 1;

struct LineSettings {
    std::string portPath = "/dev/ttyS0";  // a device path ("COMn" already resolved)
    std::uint32_t baudRate = 9600;
    std::uint32_t parityCode = kParityCodeNone;
    std::uint32_t dataBits = 8;
    std::uint32_t stopBits = 1;
    int address = 16;
    int addressLength = 8;  // 11, or anything else for 8-bit addressing
    // None: the port keeps the mode it has, which is the one the last connection check found.
    std::optional<std::uint32_t> adapterMode;
    bool operator==(const LineSettings&) const = default;
};

}  // namespace vantor
