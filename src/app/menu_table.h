#pragma once
// The main menu and the toolbar as data: every command with its text key, key binding,
// picture and handler, in the order the menus show them. The main window builds its
// actions, menus and toolbar from these tables and nothing else.

#include <span>

namespace vantor::gui {

class MainWindow;

// The menu an entry stands in; Commands is the submenu of Device.
enum class MenuPlace { File, Device, Commands, Tree, Tools, Help };

// What an entry's check mark shows.
enum class CheckMark { None, ShowIndexes, ReadWhenOpen, InstantRecording, ToolBar, StatusBar };

// Command ids that code outside the tables refers to.
namespace command {
constexpr int kNew = 57600;
constexpr int kOpen = 57601;
constexpr int kSave = 57603;
constexpr int kSaveAs = 57604;
constexpr int kRecentFile = 57616;  // the first of the recent-file entries
constexpr int kExit = 57665;
constexpr int kReadAll = 139;
constexpr int kWriteAll = 140;
constexpr int kDefaults = 269;
constexpr int kSendInit = 301;
constexpr int kStatus = 32821;
constexpr int kCalibration = 32824;
constexpr int kTareWeight = 111;
constexpr int kToolBar = 59392;
constexpr int kStatusBar = 59393;
constexpr int kAbout = 57664;
constexpr int kCompareWithFile = 33100;  // beyond the original: review a file against the module
}  // namespace command

struct MenuEntry {
    int id;
    MenuPlace place;
    const char* textKey;            // the entry's label (what follows a TAB is left to the shortcut)
    const char* shortcut;           // a QKeySequence text, empty for none
    const char* icon;               // a picture of icons.h, empty for none
    void (MainWindow::*handler)();  // null for the recent-file entries, which open their file
    bool separatorAfter = false;
    CheckMark check = CheckMark::None;
};

struct MenuTitle {
    MenuPlace place;
    const char* textKey;
};

// The entries in menu order; the recent-file entries stand where kRecentFile is listed.
std::span<const MenuEntry> menuEntries();
// The titles of the five menus in menu-bar order, then the submenu Commands.
std::span<const MenuTitle> menuTitles();
// The toolbar's buttons by command id; 0 is a gap.
std::span<const int> toolBarButtons();

// The menu entries a device model may add, with their handlers (KQ-15's "Tare weight").
struct InsertableCommand {
    int id;
    void (MainWindow::*handler)();
};
std::span<const InsertableCommand> insertableCommands();

}  // namespace vantor::gui
