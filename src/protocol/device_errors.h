#pragma once
// The error codes a module sends in an "n.Err" reply (first data byte, signed) and the
// keys of their texts.

#include <string_view>

namespace vantor {

struct DeviceErrorKey {
    std::string_view key;  // keyed text of the code, or of its text's start
    int levelDigit = 0;    // 1..7 for "group access attribute on level n", appended to the text
    bool known = true;     // false: the key's text is a "%i" format for the code
};

DeviceErrorKey deviceErrorKey(int code);

}  // namespace vantor
