#pragma once
// The entry point of each vantorctl command (one file each).

#include "cli/command.h"

namespace vantor::cli {

int runText(const Arguments& args);
int runDescribe(const Arguments& args);
int runEncode(const Arguments& args);
int runDecode(const Arguments& args);
extern const char kEncodeUsage[];
extern const char kDecodeUsage[];
int runHash(const Arguments& args);
int runFrame(const Arguments& args);
int runPorts(const Arguments& args);
extern const char kHashUsage[];
extern const char kFrameUsage[];
extern const char kPortsUsage[];
int runRaw(const Arguments& args);
extern const char kRawUsage[];

}  // namespace vantor::cli
