#pragma once
// Signals a program's exit event from outside, as another program does: posts the
// named semaphore "/NAME", creating it (mode 0600, value 0) when the program has not
// yet, so that the request waits for the program's watch instead of being lost.

#include <string>

namespace vantor::test {

// False when the semaphore can be neither opened nor created.
bool postNamedSemaphore(const std::string& name);

}  // namespace vantor::test
