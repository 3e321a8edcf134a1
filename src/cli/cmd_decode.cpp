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

int runDecode(const Arguments& args) {
    const std::optional<CodecArguments> parsed = parseCodecArguments("decode", args, false, kDecodeUsage);
    if (!parsed) return 2;
    std::string hex;
    for (const std::string& word : parsed->words) hex += word;
    const auto bytes = cmdline::parseHexBytes(hex);
    if (!bytes) return usageError("decode", "HEX must be pairs of hex digits", kDecodeUsage);
    MyConverter converter(parsed->name);
    converter.type = parsed->type;
    std::string text;
    if (converter.ConvertFromData(*bytes, text) != kConvertOk) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return 1;
    }
    std::printf("%s\n", text.c_str());
    return 0;
}

}  // namespace vantor::cli
