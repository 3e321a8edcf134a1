#pragma once
// Texts the module sends or takes (device name, firmware version, string values) are
// Windows-1251 on the wire; inside the program every text is UTF-8. These two
// conversions are that boundary.

#include <string>
#include <string_view>

namespace vantor {

// Windows-1251 bytes to UTF-8. The one byte the code page leaves undefined becomes '?'.
std::string cp1251ToUtf8(std::string_view bytes);
// UTF-8 to Windows-1251. A character the code page lacks, or a malformed UTF-8
// sequence, becomes '?'.
std::string utf8ToCp1251(std::string_view text);

}  // namespace vantor
