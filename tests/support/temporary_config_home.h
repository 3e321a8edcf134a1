#pragma once
// Points XDG_CONFIG_HOME at a fresh temporary folder for the lifetime of the object, so
// that settings written by the code under test never reach the real user's; the folder
// is removed and the old value restored afterwards.

#include <optional>
#include <string>

namespace vantor::test {

class TemporaryConfigHome {
public:
    TemporaryConfigHome();
    ~TemporaryConfigHome();
    TemporaryConfigHome(const TemporaryConfigHome&) = delete;
    TemporaryConfigHome& operator=(const TemporaryConfigHome&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::optional<std::string> previous_;
};

}  // namespace vantor::test
