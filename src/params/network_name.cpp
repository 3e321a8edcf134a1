#include "params/network_name.h"

#include <cctype>

#include "protocol/character_codes.h"
#include "text/texts.h"

namespace vantor {

namespace {

constexpr std::size_t kMaxNameText = 8;
constexpr int kSlashCode = 76;  // decoded as '/', so it must encode back the same way

int nameCharacterCode(char c) {
    if (c == '/') return kSlashCode;
    return characterCode(c);
}

}  // namespace

NetworkNameError encodeNetworkName(std::string_view text, NetworkNameCodes& codes) {
    codes.fill(static_cast<std::uint8_t>(kBlankCode));
    if (text.empty()) return NetworkNameError::Empty;
    if (text.size() > kMaxNameText) return NetworkNameError::TooLong;
    std::size_t stored = 0;
    bool dotted = false;
    for (const char raw : text) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (c == '.') {
            if (stored == 0 || dotted) return NetworkNameError::BadCharacter;
            ++codes[stored - 1];
            dotted = true;
            continue;
        }
        // A fifth character must still be one of the table; encoding ends with it.
        const int code = nameCharacterCode(c);
        if (code < 0) return NetworkNameError::BadCharacter;
        if (stored == codes.size()) break;
        codes[stored++] = static_cast<std::uint8_t>(code);
        dotted = false;
    }
    return NetworkNameError::None;
}

bool appendNetworkNameCharacter(int code, std::string& text) {
    if (code < 0 || code > kHighestCharacterCode) return false;
    const int index = code / 2;
    if (index <= 9)
        text.push_back(static_cast<char>('0' + index));
    else if (index <= 35)
        text.push_back(static_cast<char>('A' + index - 10));
    else if (index == 36)
        text.push_back('-');
    else if (index == 37)
        text.push_back('_');
    else if (index == 38)
        text.push_back('/');
    else
        text.push_back(' ');
    if (code & 1) text.push_back('.');
    return true;
}

namespace {

// The messages of each error: for the type "name", and for the parameter "CHAr*".
struct ErrorKeys {
    NetworkNameError error;
    const char* nameType;
    const char* networkName;
};

constexpr ErrorKeys kErrorKeys[] = {
    {NetworkNameError::Empty, "IDS_STRING488", "IDS_STRING875"},
    {NetworkNameError::TooLong, "IDS_STRING489", "IDS_STRING876"},
    {NetworkNameError::BadCharacter, "IDS_STRING490", "IDS_STRING877"},
};

std::string messageOf(NetworkNameError error, const char* ErrorKeys::*key) {
    for (const ErrorKeys& entry : kErrorKeys)
        if (entry.error == error) return Text(entry.*key);
    return {};
}

}  // namespace

std::string nameTypeMessage(NetworkNameError error) { return messageOf(error, &ErrorKeys::nameType); }

std::string networkNameMessage(NetworkNameError error) { return messageOf(error, &ErrorKeys::networkName); }

std::string networkNameCodeMessage() { return Text("IDS_STRING878"); }

}  // namespace vantor
