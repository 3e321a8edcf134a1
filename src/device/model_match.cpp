#include "device/model_match.h"

#include <algorithm>
#include <string>

#include "description/catalogue.h"
#include "platform/encoding.h"

namespace vantor {

namespace {

// Lower case of a Windows-1251 byte: ASCII, the Cyrillic block and the letters the
// code page keeps outside it.
unsigned char lowerCp1251(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDF) return static_cast<unsigned char>(c + 32);
    switch (c) {
    case 0xA8: return 0xB8;  // Ё
    case 0xAA: return 0xBA;  // Є
    case 0xAF: return 0xBF;  // Ї
    case 0xB2: return 0xB3;  // І
    case 0xA1: return 0xA2;  // Ў
    case 0xBD: return 0xBE;  // Ѕ
    case 0xA3: return 0xBC;  // Ј
    case 0x80: return 0x90;  // Ђ
    case 0x81: return 0x83;  // Ѓ
    case 0x8A: return 0x9A;  // Љ
    case 0x8C: return 0x9C;  // Њ
    case 0x8D: return 0x9D;  // Ќ
    case 0x8E: return 0x9E;  // Ћ
    case 0x8F: return 0x9F;  // Џ
    case 0xA5: return 0xB4;  // Ґ
    default: return c;
    }
}

}  // namespace

bool sameDeviceName(std::string_view reported, std::string_view catalogued) {
    const std::string a = utf8ToCp1251(reported), b = utf8ToCp1251(catalogued);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return lowerCp1251(static_cast<unsigned char>(x)) == lowerCp1251(static_cast<unsigned char>(y));
    });
}

int findCatalogueModel(std::string_view reported) {
    if (deviceCatalogueTable().empty()) FillDeviceCatalogue();
    const auto& table = deviceCatalogueTable();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (sameDeviceName(reported, table[i].identification)) return static_cast<int>(i);
    return -1;
}

}  // namespace vantor
