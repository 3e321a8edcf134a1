#include "platform/user_interface.h"

#include <atomic>

namespace vantor {
namespace {
SilentUserInterface silent;
std::atomic<UserInterface*> installed{&silent};
}  // namespace

UserInterface& ui() { return *installed.load(); }

void installUserInterface(UserInterface* ui) { installed.store(ui ? ui : &silent); }

}  // namespace vantor
