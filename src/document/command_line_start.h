#pragma once
// The part of a run's start-up that the windowless job and the desktop program share:
// what the command line asks of the document before any job runs, and what the exit
// event does to the link.

#include <string>

#include "document/start_command.h"

namespace vantor {

class CPlimoDoc;
class Device;

// The command line's network settings and adapter mode, the connection check, and the
// document the run starts with: a new one, or the command-line file (a file that cannot
// be opened leaves a new document; a write job then ends with result bit 0, having
// nothing to write). With "aply" the module's network parameters of the tree take the
// settings too, so that a write takes them to the module. False when the run has no
// document and ends.
bool StartCommandLineDocument(CPlimoDoc& document, StartCommand start, const std::string& file);

// The exit event, on the exit watch's thread: the task stops at its next parameter, a
// waiting exchange at once.
void StopLinkForExit(Device& device);

}  // namespace vantor
