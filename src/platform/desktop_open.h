#pragma once
// Opening a file with the desktop's default program for its type.

#include <functional>
#include <string>

namespace vantor {

// Hands `path` to the desktop's opener (xdg-open) without waiting for it. `failed` is
// called when the opener cannot be started (at once) or ends saying it could not open
// the file, as it does where no program for the type is installed (later, from the
// calling thread's event loop).
void OpenWithDesktop(const std::string& path, std::function<void()> failed);

}  // namespace vantor
