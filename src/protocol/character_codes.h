#pragma once
// The module's character code table, shared by the parameter-name hash and by the
// network-name types: each character has a 7-bit code; a '.' after a character adds
// 1 to that character's code.

namespace vantor {

// Code of an upper-case character ('0'..'9', 'A'..'Z', '-', '_', ' '), or -1 when the
// character is not in the table.
constexpr int characterCode(char c) {
    if (c >= '0' && c <= '9') return 2 * (c - '0');
    if (c >= 'A' && c <= 'Z') return 2 * (c - 'A' + 10);
    if (c == '-') return 72;
    if (c == '_') return 74;
    if (c == ' ') return 78;
    return -1;
}

// The code a module uses for a blank: names are padded with it.
constexpr int kBlankCode = 78;

// The highest code a module may answer for a character: a blank followed by '.'.
constexpr int kHighestCharacterCode = kBlankCode + 1;

}  // namespace vantor
