// Help and F1: the old help file beside the program wins, else the user guide of the
// build tree or of the installed package; without either, or without a program to show
// it, a message says so (and where the guide is).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/configuration_document.h"
#include "platform/app_state.h"
#include "support/document_bench.h"
#include "support/temporary_folder.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {
namespace {

class HelpFile : public test::TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        std::filesystem::create_directories(folder_ / "prefix/lib/vantor");
        programDirectory_ = app().programDirectory();
        app().programDirectory() = path("prefix/lib/vantor") + "/";
    }
    void TearDown() override {
        app().programDirectory() = programDirectory_;
        TemporaryFolderTest::TearDown();
    }
    void place(const std::string& name) {
        std::filesystem::create_directories(std::filesystem::path(path(name)).parent_path());
        writeFile(name, "<html></html>");
    }

    test::DocumentBench bench;
    std::string programDirectory_;
};

TEST_F(HelpFile, TheFirstFoundOfOldHelpBuildGuideAndInstalledGuideIsOpened) {
    const struct {
        std::vector<std::string> present;
        std::string opened;
    } cases[] = {
        {{"prefix/share/doc/vantor/guide/index.html"}, "prefix/share/doc/vantor/guide/index.html"},
        {{"prefix/share/doc/vantor/guide/index.html", "prefix/lib/vantor/guide/index.html"},
         "prefix/lib/vantor/guide/index.html"},
        {{"prefix/lib/vantor/guide/index.html", "prefix/lib/vantor/Help_Vantor_Kelt.chm"},
         "prefix/lib/vantor/Help_Vantor_Kelt.chm"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(folder_ / "prefix");
        std::filesystem::create_directories(folder_ / "prefix/lib/vantor");
        for (const std::string& name : c.present) place(name);
        bench.ui.desktopOpened.clear();
        bench.doc.OpenHelp();
        EXPECT_EQ(bench.ui.desktopOpened, std::vector<std::string>{path(c.opened)}) << c.opened;
        EXPECT_EQ(bench.ui.texts(), std::vector<std::string>{}) << c.opened;
    }
}

TEST_F(HelpFile, WithoutAnyTheMessageSaysTheHelpFileIsNotFound) {
    bench.doc.OpenHelp();
    EXPECT_EQ(bench.ui.desktopOpened, std::vector<std::string>{});
    EXPECT_EQ(bench.ui.texts(), std::vector<std::string>{Text("IDS_STRING879")});
}

TEST_F(HelpFile, WhenNoProgramCanShowTheGuideTheMessageSaysWhereItIs) {
    place("prefix/share/doc/vantor/guide/index.html");
    bench.ui.desktopOpens = false;
    bench.doc.OpenHelp();
    const std::string guide = path("prefix/share/doc/vantor/guide/index.html");
    EXPECT_EQ(bench.ui.texts(), std::vector<std::string>{FormatTextArgs(Text("IDS_HELP_NOT_OPENED"), guide.c_str())});
}

}  // namespace
}  // namespace vantor
