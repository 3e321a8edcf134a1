#pragma once
// The last resort of a program's main: whatever escapes the program's run is reported on
// stderr as "PROGRAM: what", and the program ends with the failure status 1 instead of
// aborting.

namespace vantor::cmdline {

int runReportingEscapes(const char* program, int (*run)(int argc, char** argv), int argc, char** argv);

}  // namespace vantor::cmdline
