#include <cstdio>

#include "cli/codec_arguments.h"
#include "cli/commands.h"
#include "params/converter.h"

namespace vantor::cli {

extern const char kEncodeUsage[] =
    "usage: vantorctl encode --type TYPE [--name NAME] [--decimals D] TEXT\n"
    "Prints the data bytes a write of TEXT sends for a parameter of type TYPE (as\n"
    "descriptions write it: STORED_DOT, int, none:even:odd; '_' stands for a blank)\n"
    "and name NAME, as upper-case hex separated by blanks. D (0..3) is the number of\n"
    "decimal places of STORED_DOT, 0 letting the value choose. When TEXT cannot be\n"
    "encoded, the reason goes to stderr and the exit status is 1.\n";

int runEncode(const Arguments& args) {
    const std::optional<CodecArguments> parsed = parseCodecArguments("encode", args, true, kEncodeUsage);
    if (!parsed) return 2;
    if (parsed->words.size() != 1) return usageError("encode", "give one TEXT", kEncodeUsage);
    MyConverter converter(parsed->name);
    converter.type = parsed->type;
    converter.decimalPlaces = parsed->decimals;
    Bytes data;
    std::string reason;
    if (converter.ConvertToData(parsed->words[0], data, &reason) != kConvertOk) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        return 1;
    }
    for (std::size_t i = 0; i < data.size(); ++i) std::printf(i == 0 ? "%02X" : " %02X", data[i]);
    std::printf("\n");
    return 0;
}

}  // namespace vantor::cli
