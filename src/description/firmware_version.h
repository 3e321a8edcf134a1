#pragma once
// The firmware version "MAJ.MIN" of a module, as the "#if ver" lines of a description
// compare it and as the command lines take it.

#include <optional>
#include <string_view>

namespace vantor {

// The firmware version of the connected module; (-1, -1) while none has been read.
struct FirmwareVersion {
    int major = -1;
    int minor = -1;
};

// The first two non-empty pieces between '.'s, each read as sscanf "%i" reads it
// (decimal, 0x hexadecimal, leading 0 octal) and held within int; a piece that does
// not begin with a number leaves its part at -1.
FirmwareVersion readFirmwareVersion(std::string_view text);

// The version when `text` is exactly two such numbers joined by one '.', without sign
// or blanks and within int; nothing otherwise.
std::optional<FirmwareVersion> exactFirmwareVersion(std::string_view text);

}  // namespace vantor
