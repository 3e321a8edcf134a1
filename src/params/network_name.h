#pragma once
// Network names: four character codes of the module's code table, each an even code
// for the character plus 1 when a '.' follows it. The type "name" carries them in one
// value; the parameter "CHAr*" exchanges them as four "CHAr" elements.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantor {

enum class NetworkNameError { None, Empty, TooLong, BadCharacter };

using NetworkNameCodes = std::array<std::uint8_t, 4>;

// Encodes up to four characters (upper-cased) into codes 0..3, blanks filling the
// rest. Empty text, 9 or more characters, a character outside the table, a leading
// '.' or a second '.' after one character are errors. A fifth character is checked
// against the table and ends the encoding; what follows it is not looked at.
NetworkNameError encodeNetworkName(std::string_view text, NetworkNameCodes& codes);

// Appends the character of `code` (and '.' for an odd code); false, appending nothing,
// for a code above kHighestCharacterCode.
bool appendNetworkNameCharacter(int code, std::string& text);

// The message for an error of the type "name" and of the parameter "CHAr*".
std::string nameTypeMessage(NetworkNameError error);
std::string networkNameMessage(NetworkNameError error);
// The message for a code above kHighestCharacterCode read through "CHAr*".
std::string networkNameCodeMessage();

}  // namespace vantor
