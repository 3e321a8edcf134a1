#pragma once
// Energy-meter modules may spell their identification name with Cyrillic look-alike
// letters (Windows-1251 codes); the program always works with the catalogue spelling.

#include <string>
#include <string_view>

namespace vantor {

// The catalogue spelling for a look-alike spelling (raw Windows-1251 bytes), or the
// bytes unchanged when they are no such spelling.
std::string catalogueSpelling(std::string_view cp1251Name);

}  // namespace vantor
