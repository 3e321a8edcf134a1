#include "cli/command.h"
#include "cli/commands.h"

namespace vantor::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"text", "print the keyed text of a key", kTextUsage, runText},
        {"describe", "load and build a model's description, print its trees", kDescribeUsage, runDescribe},
        {"encode", "print the data bytes a value text is written as", kEncodeUsage, runEncode},
        {"decode", "print the value text of reply data bytes", kDecodeUsage, runDecode},
        {"hash", "print the protocol hash of parameter names", kHashUsage, runHash},
        {"frame", "print the request frame of a parameter as it goes on the line", kFrameUsage, runFrame},
        {"raw", "send one request to a module and print the reply's data bytes", kRawUsage, runRaw},
        {"ports", "list the serial ports present", kPortsUsage, runPorts},
        {"identify", "identify the module: its name, firmware and model", kIdentifyUsage, runIdentify},
        {"check", "look for the module as the connection check does", kCheckUsage, runCheck},
        {"get", "read parameters of the model's tree from the module", kGetUsage, runGet},
        {"set", "check and write one parameter", kSetUsage, runSet},
        {"read", "read the whole parameter tree (or a branch) and print it", kReadUsage, runRead},
        {"find", "identify every module on the line by address", kFindUsage, runFind},
        {"scan", "look for the module at every baud rate", kScanUsage, runScan},
        {"init", "restart the module (INIT)", kInitUsage, runInit},
        {"apply", "let the module take its new network settings (APLY)", kApplyUsage, runApply},
        {"defaults", "apply the model's default settings, then INIT", kDefaultsUsage, runDefaults},
        {"calibrate", "one step of the offset-and-scale calibration (KQ-08, KQ-19)", kCalibrateUsage, runCalibrate},
        {"save", "read the module's whole tree into a configuration file", kSaveUsage, runSave},
        {"load", "write a configuration file (or its changes) to the module", kLoadUsage, runLoad},
        {"compare", "compare a configuration file with the module", kCompareUsage, runCompare},
        {"show", "print the tree a configuration file holds", kShowUsage, runShow},
        {"diff", "the differences between two configuration files", kDiffUsage, runDiff},
        {"job", "run the desktop program's command line without a window", kJobUsage, runJob},
    };
    return table;
}

}  // namespace vantor::cli
