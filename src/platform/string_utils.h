#pragma once
// Small text helpers every layer uses (standard C++ only). Letter case means the ASCII
// letters: names, keywords and type names of the module protocol are ASCII.

#include <string>
#include <string_view>

namespace vantor {

// Equal but for the letter case of ASCII letters.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Replaces every occurrence of `from` (not empty) by `to`, left to right; a replacement
// is not searched again.
void replaceAll(std::string& text, std::string_view from, std::string_view to);

}  // namespace vantor
