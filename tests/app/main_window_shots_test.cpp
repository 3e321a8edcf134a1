// Pictures of the main window, its menus and the About box for a person to look at
// (under $VANTOR_SHOTS or /tmp/shots), and the check that every command picture renders.

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QImageReader>
#include <QMenu>
#include <QStandardItemModel>
#include <QToolBar>
#include <QTreeView>

#include "app/about_dialog.h"
#include "app/gui_user_interface.h"
#include "app/main_window.h"
#include "platform/settings_store.h"
#include "support/document_bench.h"
#include "support/shot_path.h"

namespace vantor {
namespace {

bool svgReadable() { return QImageReader::supportedImageFormats().contains("svg"); }

// True when the picture has pixels that are neither transparent nor all alike.
bool drawsSomething(const QIcon& icon) {
    const QImage image = icon.pixmap(22, 22).toImage();
    bool opaque = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) opaque = opaque || qAlpha(image.pixel(x, y)) > 0;
    return opaque;
}

TEST(MainWindowPictures, EveryToolbarButtonHasItsPicture) {
    if (!svgReadable()) GTEST_SKIP() << "the Qt SVG plugin is not installed";
    test::DocumentBench bench;
    bench.doc.OnNewDocument();
    gui::GuiUserInterface ui;
    gui::MainWindow window(bench.doc, ui);
    for (QAction* button : window.toolBar()->actions()) {
        if (!button->isSeparator()) {
            EXPECT_TRUE(drawsSomething(button->icon())) << button->toolTip().toStdString();
        }
    }
}

TEST(MainWindowPictures, WindowMenusAndAboutBoxAreSavedForALook) {
    test::DocumentBench bench(0);
    bench.doc.OnNewDocument();
    {
        const auto settings = OpenSettings(SettingsScope::PerUser);
        settings->writeInteger("viewtoolbar", 1);
        settings->writeInteger("viewstatusbar", 1);
    }
    gui::GuiUserInterface ui;
    gui::MainWindow window(bench.doc, ui);
    QStandardItemModel rows;
    rows.setHorizontalHeaderLabels({"Parameter", "Value", "Description"});
    for (const char* name : {"Network settings", "Inputs", "Outputs"}) rows.appendRow(new QStandardItem(name));
    auto* view = new QTreeView;
    view->setModel(&rows);
    window.setCentralView(view);
    window.resize(900, 560);
    window.show();

    EXPECT_TRUE(window.grab().save(test::shotPath("main_window")));
    const std::pair<gui::MenuPlace, const char*> menus[] = {
        {gui::MenuPlace::File, "menu_file"},         {gui::MenuPlace::Device, "menu_device"},
        {gui::MenuPlace::Commands, "menu_commands"}, {gui::MenuPlace::Tree, "menu_tree"},
        {gui::MenuPlace::Tools, "menu_tools"},       {gui::MenuPlace::Help, "menu_help"},
    };
    for (const auto& [place, name] : menus) {
        QMenu* menu = window.menu(place);
        menu->ensurePolished();
        menu->adjustSize();
        EXPECT_TRUE(menu->grab().save(test::shotPath(name)));
    }
    gui::AboutDialog about(bench.doc.serviceParameters(), &window);
    about.show();
    EXPECT_TRUE(about.grab().save(test::shotPath("about")));
    window.setCloseAllowed(true);
}

}  // namespace
}  // namespace vantor
