#pragma once
// A fixture whose test works in a folder of its own: made empty before the test, named
// after the suite, the process and the test, and removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vantor::test {

// NAME-PID in the temporary folder: a file of this test process.
std::string temporaryPath(const std::string& name);

class TemporaryFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A path inside the folder.
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    // Writes `content` to the file `name` inside the folder.
    void writeFile(const std::string& name, const std::string& content) const;

    std::filesystem::path folder_;
};

}  // namespace vantor::test
