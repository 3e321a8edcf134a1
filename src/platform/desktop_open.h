#pragma once
// Opening a file with the desktop's default program for its type.

#include <string>

namespace vantor {

// Hands `path` to the desktop's opener (xdg-open) without waiting for it; false when
// the opener could not be started.
bool OpenWithDesktop(const std::string& path);

}  // namespace vantor
