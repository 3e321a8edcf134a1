#pragma once
// Matching the name a module reports in "dev" with the catalogue's identification
// names: letter case ignored as in the Windows-1251 code page, Cyrillic letters too.

#include <string_view>

namespace vantor {

// Both texts are UTF-8.
bool sameDeviceName(std::string_view reported, std::string_view catalogued);

// The catalogue index whose identification name the module reported, or -1.
int findCatalogueModel(std::string_view reported);

}  // namespace vantor
