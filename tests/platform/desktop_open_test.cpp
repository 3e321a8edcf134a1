// Opening a file with the desktop's opener: the opener gets the path, and an opener that
// is missing or ends saying it could not open the file is reported, so that the person
// can be told where the file is.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/desktop_open.h"
#include "support/run_program.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

class DesktopOpen : public test::TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        path_ = std::getenv("PATH") ? std::getenv("PATH") : "";
        ::setenv("PATH", folder_.c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", path_.c_str(), 1);
        TemporaryFolderTest::TearDown();
    }
    // An opener that notes the path it was given and ends with `status`.
    void placeOpener(int status) {
        writeFile("xdg-open",
                  "#!/bin/sh\nprintf '%s' \"$1\" > '" + path("opened") + "'\nexit " + std::to_string(status) + "\n");
        std::filesystem::permissions(path("xdg-open"), std::filesystem::perms::owner_all);
    }
    // Runs the event loop until the failure is reported; false when the guard ran out.
    bool failureReported(const std::string& file) {
        QEventLoop loop;
        bool failed = false;
        OpenWithDesktop(file, [&] {
            failed = true;
            loop.quit();
        });
        if (failed) return true;
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);  // against a hang only
        loop.exec();
        return failed;
    }

    int argc_ = 1;
    char name_[8] = "test";
    char* argv_[1] = {name_};
    QCoreApplication application_{argc_, argv_};
    std::string path_;
};

TEST_F(DesktopOpen, AnOpenerThatCannotOpenTheFileIsReportedAfterItWasGivenThePath) {
    placeOpener(3);  // what xdg-open answers where no program takes the type
    EXPECT_TRUE(failureReported("/srv/guide/index.html"));
    EXPECT_EQ(test::readWholeFile(path("opened")), "/srv/guide/index.html");
}

TEST_F(DesktopOpen, AMissingOpenerIsReported) { EXPECT_TRUE(failureReported("/srv/guide/index.html")); }

}  // namespace
}  // namespace vantor
