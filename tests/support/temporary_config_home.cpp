#include "support/temporary_config_home.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace vantor::test {

TemporaryConfigHome::TemporaryConfigHome() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vantor-config-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
    if (const char* value = std::getenv("XDG_CONFIG_HOME")) previous_ = value;
    ::setenv("XDG_CONFIG_HOME", path_.c_str(), 1);
}

TemporaryConfigHome::~TemporaryConfigHome() {
    if (previous_)
        ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace vantor::test
