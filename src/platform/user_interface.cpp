#include "platform/user_interface.h"

#include <atomic>
#include <utility>

#include "platform/desktop_open.h"

namespace vantor {
namespace {
SilentUserInterface silent;
std::atomic<UserInterface*> installed{&silent};
}  // namespace

void UserInterface::openWithDesktop(const std::string& path, std::function<void()> failed) {
    OpenWithDesktop(path, std::move(failed));
}

UserInterface& ui() { return *installed.load(); }

void installUserInterface(UserInterface* ui) { installed.store(ui ? ui : &silent); }

}  // namespace vantor
