#pragma once
// A run of the desktop program's command line without a window: the start-up it asks
// for (network settings, connection check, the file), the read or write job, the
// exit event, and the exit code the result bits give. vantorctl job runs it; the
// desktop program runs the same steps with its window.

#include <string>
#include <vector>

namespace vantor {

class DocumentFrontEnd;
class UserInterface;

// `arguments` are the program's arguments without its name. Returns the exit code: 0,
// or 200 + the lowest result bit.
int RunCommandLineJob(const std::vector<std::string>& arguments, UserInterface& ui, DocumentFrontEnd& frontEnd);

}  // namespace vantor
