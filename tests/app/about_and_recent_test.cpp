#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>

#include "app/about_dialog.h"
#include "app/recent_files.h"
#include "elements/common_params.h"
#include "elements/program_info.h"
#include "support/temporary_config_home.h"
#include "support/temporary_folder.h"

namespace vantor {
namespace {

TEST(AboutDialog, ShowsNameVersionAndLegalNoticeOfTheProgram) {
    test::TemporaryConfigHome home;
    CommonParams program;
    program.InitParameters();
    gui::AboutDialog about(program);
    EXPECT_EQ(about.windowTitle(), "About program");
    QStringList lines;
    for (const QLabel* label : about.findChildren<QLabel*>())
        if (!label->text().isEmpty()) lines << label->text();
    EXPECT_EQ(lines, QStringList({"Vantor Configurator", QString::fromStdString("Firmware " + ProgramVersion()),
                                  "Copyright (C) LUMEKO"}));
    const QPushButton* ok = about.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
}

class RecentFilesTest : public test::TemporaryFolderTest {
protected:
    std::unique_ptr<SettingsStore> store() const { return OpenIniSettings(path("recent.ini")); }
};

TEST_F(RecentFilesTest, KeepsTheFourNewestFilesOnceEachAcrossRuns) {
    {
        gui::RecentFiles recent(store());
        for (const char* name : {"a.vantor", "b.vantor", "c.vantor", "d.vantor", "e.vantor"})
            recent.add(QString::fromStdString(path(name)));
        recent.add(QString::fromStdString(path("c.vantor")));  // again: to the front, not twice
    }
    const auto file = [&](const char* name) { return QString::fromStdString(path(name)); };
    gui::RecentFiles again(store());
    EXPECT_EQ(again.paths(), QStringList({file("c.vantor"), file("e.vantor"), file("d.vantor"), file("b.vantor")}));

    again.remove(file("e.vantor"));
    EXPECT_EQ(gui::RecentFiles(store()).paths(), QStringList({file("c.vantor"), file("d.vantor"), file("b.vantor")}));
}

}  // namespace
}  // namespace vantor
