#include "support/temporary_folder.h"

#include <unistd.h>

#include <fstream>

namespace vantor::test {

std::string temporaryPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / (name + "-" + std::to_string(::getpid()))).string();
}

void TemporaryFolderTest::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() / ("vantor-" + std::string(test->test_suite_name()) + "-" +
                                                        std::to_string(::getpid()) + "-" + test->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

void TemporaryFolderTest::TearDown() { std::filesystem::remove_all(folder_); }

void TemporaryFolderTest::writeFile(const std::string& name, const std::string& content) const {
    std::ofstream(path(name), std::ios::binary) << content;
}

}  // namespace vantor::test
