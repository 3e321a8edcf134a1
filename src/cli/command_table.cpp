#include "cli/command.h"
#include "cli/commands.h"

namespace vantor::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"text", "print the keyed text of a key",
         "usage: vantorctl text KEY\n"
         "Prints the text the keyed text table gives KEY (the string table when the key\n"
         "is missing), with its escapes turned into real characters.\n",
         runText},
        {"encode", "print the data bytes a value text is written as", kEncodeUsage, runEncode},
        {"decode", "print the value text of reply data bytes", kDecodeUsage, runDecode},
    };
    return table;
}

}  // namespace vantor::cli
