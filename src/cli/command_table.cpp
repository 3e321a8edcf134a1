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
        {"describe", "load and build a model's description, print its trees",
         "usage: vantorctl describe (--model NAME|INDEX | --tree-file PATH) [--dat PATH]\n"
         "                          [--firmware MAJ.MIN] [--format text|tsv]\n"
         "Loads the description of a model from vantor.dat (beside the program, or --dat)\n"
         "or a plain description file, builds the parameter tree and the sampled tree as\n"
         "the configurator does, and prints them. --firmware sets the version that\n"
         "\"#if ver\" lines compare; without it the version is unknown.\n"
         "TSV lines, depth first in statement order, root tree then sampled tree (S...):\n"
         "  B  depth name count index image selected-image\n"
         "  P  depth name indexed data-index address-offset type decimal-places low high\n"
         "     configuration-value has-attributes user-editable table-mode description\n"
         "Messages go to stderr, one per line. Exit status 0 without any message, 1 when\n"
         "the load raised one, 2 for bad usage.\n",
         runDescribe},
        {"encode", "print the data bytes a value text is written as", kEncodeUsage, runEncode},
        {"decode", "print the value text of reply data bytes", kDecodeUsage, runDecode},
        {"hash", "print the protocol hash of parameter names", kHashUsage, runHash},
        {"frame", "print the request frame of a parameter as it goes on the line", kFrameUsage, runFrame},
        {"raw", "send one request to a module and print the reply's data bytes", kRawUsage, runRaw},
        {"ports", "list the serial ports present", kPortsUsage, runPorts},
    };
    return table;
}

}  // namespace vantor::cli
