#pragma once
// The line settings the link opens its port with, as the program network settings
// element hands them over: what "Port", "bPS", "PrtY", "LEn", "Sbit", "Addr" and
// "A.Len" hold.

#include <cstdint>
#include <optional>
#include <string>

#include "link/sio.h"

namespace vantor {

struct LinkSettings {
    std::string port = "COM1";
    std::uint32_t baud = 9600;
    int parity = 0;  // "PrtY": 0 none, 1 even, 2 odd
    int dataBits = 8;
    int stopBits = 1;
    int address = 16;
    int addressLength = 8;  // 11, or anything else for 8-bit addressing
    // The model takes 8 data bits whatever "LEn" says (KQ-08 and the models made from it).
    bool eightDataBitsOnly = false;
    // The adapter mode the start-up option asked for. None: the port keeps the mode it
    // has, which is the one the last connection check found.
    std::optional<AdapterMode> adapterMode;
};

// The port's parity code for a "PrtY" value: 1 even (1), 2 odd (4), anything else none (3).
constexpr std::uint32_t parityCode(int parity) { return parity == 1 ? 1u : parity == 2 ? 4u : 3u; }

}  // namespace vantor
