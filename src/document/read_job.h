#pragma once
// The end of a read job (vantorctl save, the command line's "read", the desktop
// program's /read/close): the result bits tell a script how the read went, and an
// unfinished read never takes the place of the file.

#include <optional>
#include <string>

#include "device/operation_code.h"

namespace vantor {

class CPlimoDoc;

// A read in which a parameter failed ends with a result bit: the one the link set, else
// (a reply that failed its check, for one) the transmission bit.
void MarkFailedRead(const std::optional<TaskOutcome>& outcome);

// Whether the read did not reach its end: cancelled, or the module or the port lost
// (the result bits say so; `outcome`, when known, too).
bool ReadEndedEarly(const std::optional<TaskOutcome>& outcome);

// "a.incomplete.vantor" for "a.vantor", "a.cfg.incomplete.vantor" for "a.cfg".
std::string IncompletePath(const std::string& path);

// Saves the read's result to `path`, or to IncompletePath(path) when the read ended
// early; the path saved to. Empty, with the reason and kResultFileNotSaved set, when
// it could not be saved.
std::string SaveReadJobFile(CPlimoDoc& document, const std::string& path, std::string& reason);

// The line that tells where an unfinished read went.
std::string IncompleteReadNote(const std::string& savedPath);

}  // namespace vantor
