#include "params/device_names.h"

namespace vantor {

namespace {

// Lower case in Windows-1251: ASCII letters and the Cyrillic capitals 0xC0..0xDF.
std::string lowerCp1251(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDF)) c = static_cast<char>(byte + 0x20);
    }
    return lower;
}

}  // namespace

std::string catalogueSpelling(std::string_view cp1251Name) {
    // The meters KQ-21..KQ-24 report "kq-2N"; their look-alike spelling writes the 'k'
    // as the Cyrillic small ka, 0xEA in Windows-1251.
    struct LookAlike {
        const char* spelling;
        const char* catalogue;
    };
    static const LookAlike kLookAlikes[] = {
        {"\xEAq-21", "kq-21"},
        {"\xEAq-22", "kq-22"},
        {"\xEAq-23", "kq-23"},
        {"\xEAq-24", "kq-24"},
    };
    // Letter case is ignored as the identity check ignores it.
    const std::string lower = lowerCp1251(cp1251Name);
    for (const LookAlike& entry : kLookAlikes)
        if (lower == entry.spelling) return entry.catalogue;
    return std::string(cp1251Name);
}

}  // namespace vantor
