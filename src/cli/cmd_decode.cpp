#include <cctype>
#include <cstdio>

#include "cli/codec_arguments.h"
#include "cli/commands.h"
#include "params/converter.h"

namespace vantor::cli {

extern const char kDecodeUsage[] =
    "usage: vantorctl decode --type TYPE [--name NAME] HEX\n"
    "Prints the value text a reply with the data bytes HEX (\"01 2C\" or \"012C\") gives\n"
    "a parameter of type TYPE (as descriptions write it; '_' stands for a blank) and\n"
    "name NAME. When the reply cannot be decoded or its length does not fit the type,\n"
    "the message goes to stderr and the exit status is 1.\n";

namespace {

// The bytes of hex words, blanks between pairs optional; false on any other character
// or an odd number of digits.
bool parseHex(const std::vector<std::string>& words, Bytes& data) {
    std::string digits;
    for (const std::string& word : words)
        for (const char c : word)
            if (!std::isspace(static_cast<unsigned char>(c))) digits.push_back(c);
    if (digits.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        if (!std::isxdigit(static_cast<unsigned char>(digits[i])) ||
            !std::isxdigit(static_cast<unsigned char>(digits[i + 1])))
            return false;
        data.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    }
    return true;
}

}  // namespace

int runDecode(const Arguments& args) {
    const std::optional<CodecArguments> parsed = parseCodecArguments(args, false, kDecodeUsage);
    if (!parsed) return 2;
    Bytes data;
    if (!parseHex(parsed->words, data)) {
        std::fprintf(stderr, "vantorctl: HEX must be pairs of hex digits\n%s", kDecodeUsage);
        return 2;
    }
    MyConverter converter(parsed->name);
    converter.type = parsed->type;
    std::string text;
    if (converter.ConvertFromData(data, text) != kConvertOk) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return 1;
    }
    std::printf("%s\n", text.c_str());
    return 0;
}

}  // namespace vantor::cli
