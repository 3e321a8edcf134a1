#include "app/menu_table.h"

#include "app/main_window.h"

namespace vantor::gui {

std::span<const MenuEntry> menuEntries() {
    using W = MainWindow;
    using enum MenuPlace;
    static constexpr MenuEntry kEntries[] = {
        {command::kNew, File, "IDR_MAINFRAME_MENUITEM_NEW", "Ctrl+N", "new", &W::newDocument},
        {command::kOpen, File, "IDR_MAINFRAME_MENUITEM_OPEN", "Ctrl+O", "open", &W::openDocument},
        {command::kSave, File, "IDR_MAINFRAME_MENUITEM_SAVE", "Ctrl+S", "save", &W::saveDocument},
        {command::kSaveAs, File, "IDR_MAINFRAME_MENUITEM_SAVE_AS", "", "", &W::saveDocumentAs, true},
        {command::kRecentFile, File, "IDR_MAINFRAME_MENUITEM_MRU_FILE1", "", "", nullptr, true},
        {command::kExit, File, "IDR_MAINFRAME_MENUITEM_EXIT", "", "exit", &W::exitProgram},
        {command::kReadAll, Device, "IDR_MAINFRAME_MENUITEM_READALL", "Alt+R", "read-all", &W::readAll},
        {command::kWriteAll, Device, "IDR_MAINFRAME_MENUITEM_WRITE", "Alt+W", "write-all", &W::writeAll},
        {256, Device, "IDR_MAINFRAME_MENUITEM_UPDATE", "Alt+U", "write-changes", &W::writeChanges},
        {257, Device, "IDR_MAINFRAME_MENUITEM_COMPARE", "Alt+C", "", &W::compare},
        {command::kCompareWithFile, Device, "IDR_MAINFRAME_MENUITEM_COMPARE_FILE", "", "", &W::compareWithFile, true},
        {command::kDefaults, Commands, "IDR_MAINFRAME_MENUITEM_INIT", "", "defaults", &W::applyDefaults},
        {command::kSendInit, Commands, "IDR_MAINFRAME_MENUITEM_SENDINIT", "Alt+I", "init", &W::sendInit},
        {265, Commands, "IDR_MAINFRAME_MENUITEM_APLY", "Alt+A", "", &W::applyNetworkSettings},
        {command::kStatus, Device, "IDR_MAINFRAME_MENUITEM_INOUT", "", "io-status", &W::showIoStatus},
        {378, Device, "IDR_MAINFRAME_MENUITEM_SINGLEPOINT", "Alt+S", "", &W::showSingleParameter},
        {379, Device, "IDR_MAINFRAME_MENUITEM_TEST", "Alt+N", "", &W::checkConnection},
        {32819, Device, "IDR_MAINFRAME_MENUITEM_PORT", "", "port", &W::showConnectionSettings},
        {279, Tree, "IDR_MAINFRAME_MENUITEM_BRANCH_READ", "Alt+Ctrl+R", "branch-read", &W::readBranch},
        {280, Tree, "IDR_MAINFRAME_MENUITEM_BRANCH_WRITE", "Alt+Ctrl+W", "branch-write", &W::writeBranch},
        {281, Tree, "IDR_MAINFRAME_MENUITEM_BRANCH_UPDATE", "Alt+Ctrl+U", "branch-changes", &W::writeBranchChanges},
        {282, Tree, "IDR_MAINFRAME_MENUITEM_BRANCH_COMPARE", "Alt+Ctrl+C", "", &W::compareBranch, true},
        {276, Tree, "IDR_MAINFRAME_MENUITEM_PREVPROB", "Alt+Up", "previous-troubled", &W::previousTroubled},
        {277, Tree, "IDR_MAINFRAME_MENUITEM_NEXTPROB", "Alt+Down", "next-troubled", &W::nextTroubled},
        {380, Tools, "IDR_MAINFRAME_MENUITEM_SHOWINDEXES", "", "", &W::toggleShowIndexes, false,
         CheckMark::ShowIndexes},
        {134, Tools, "IDR_MAINFRAME_MENUITEM_AUTOREAD", "", "", &W::toggleReadWhenOpen, false, CheckMark::ReadWhenOpen},
        {268, Tools, "IDR_MAINFRAME_MENUITEM_INSNANTWRITE", "", "", &W::toggleInstantRecording, false,
         CheckMark::InstantRecording},
        {command::kCalibration, Tools, "IDR_MAINFRAME_MENUITEM_CALIB", "", "", &W::calibrate, true},
        {command::kToolBar, Tools, "IDR_MAINFRAME_MENUITEM_TOOLBAR", "", "", &W::toggleToolBar, false,
         CheckMark::ToolBar},
        {command::kStatusBar, Tools, "IDR_MAINFRAME_MENUITEM_STATUSBAR", "", "", &W::toggleStatusBar, false,
         CheckMark::StatusBar},
        {57667, Help, "IDR_MAINFRAME_MENUITEM_FINDER", "F1", "help", &W::openHelp},
        {32804, Help, "IDR_MAINFRAME_MENUITEM_HTML", "", "html", &W::exportHtml, true},
        {command::kAbout, Help, "IDR_MAINFRAME_MENUITEM_ABOUT", "", "about", &W::showAbout},
    };
    return kEntries;
}

std::span<const MenuTitle> menuTitles() {
    static constexpr MenuTitle kTitles[] = {
        {MenuPlace::File, "IDR_MAINFRAME_POPUP_FILE"}, {MenuPlace::Device, "IDR_MAINFRAME_POPUP_DEVICE"},
        {MenuPlace::Tree, "IDR_MAINFRAME_POPUP_TREE"}, {MenuPlace::Tools, "IDR_MAINFRAME_POPUP_MODES"},
        {MenuPlace::Help, "IDR_MAINFRAME_POPUP_HELP"}, {MenuPlace::Commands, "IDR_MAINFRAME_POPUP_SERVIS"},
    };
    return kTitles;
}

std::span<const int> toolBarButtons() {
    static constexpr int kButtons[] = {
        command::kNew,
        command::kOpen,
        command::kSave,
        0,
        command::kReadAll,
        command::kWriteAll,
        256,
        0,
        279,
        280,
        281,
        0,
        command::kDefaults,
        command::kSendInit,
        command::kStatus,
        0,
        276,
        277,
        0,
        command::kAbout,
    };
    return kButtons;
}

std::span<const InsertableCommand> insertableCommands() {
    static constexpr InsertableCommand kCommands[] = {
        {command::kTareWeight, &MainWindow::tareWeight},
    };
    return kCommands;
}

}  // namespace vantor::gui
