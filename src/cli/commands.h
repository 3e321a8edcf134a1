#pragma once
// The entry point of each vantorctl command (one file each).

#include "cli/command.h"

namespace vantor::cli {

int runText(const Arguments& args);

}  // namespace vantor::cli
