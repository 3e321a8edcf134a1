#pragma once
// The entry point and the --help text of each vantorctl command (one file each).

#include "cli/command.h"

namespace vantor::cli {

int runText(const Arguments& args);
int runDescribe(const Arguments& args);
int runEncode(const Arguments& args);
int runDecode(const Arguments& args);
int runHash(const Arguments& args);
int runFrame(const Arguments& args);
int runRaw(const Arguments& args);
int runPorts(const Arguments& args);
int runIdentify(const Arguments& args);
int runCheck(const Arguments& args);
int runGet(const Arguments& args);
int runSet(const Arguments& args);
int runRead(const Arguments& args);
int runFind(const Arguments& args);
int runScan(const Arguments& args);
int runInit(const Arguments& args);
int runApply(const Arguments& args);
int runDefaults(const Arguments& args);
int runSave(const Arguments& args);
int runLoad(const Arguments& args);
int runCompare(const Arguments& args);
int runShow(const Arguments& args);
int runDiff(const Arguments& args);
int runJob(const Arguments& args);
int runCalibrate(const Arguments& args);

extern const char kTextUsage[];
extern const char kDescribeUsage[];
extern const char kEncodeUsage[];
extern const char kDecodeUsage[];
extern const char kHashUsage[];
extern const char kFrameUsage[];
extern const char kRawUsage[];
extern const char kPortsUsage[];
extern const char kIdentifyUsage[];
extern const char kCheckUsage[];
extern const char kGetUsage[];
extern const char kSetUsage[];
extern const char kReadUsage[];
extern const char kFindUsage[];
extern const char kScanUsage[];
extern const char kInitUsage[];
extern const char kApplyUsage[];
extern const char kDefaultsUsage[];
extern const char kSaveUsage[];
extern const char kLoadUsage[];
extern const char kCompareUsage[];
extern const char kShowUsage[];
extern const char kDiffUsage[];
extern const char kJobUsage[];
extern const char kCalibrateUsage[];

}  // namespace vantor::cli
