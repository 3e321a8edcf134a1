#pragma once
// The main window: the parameter view in the middle, the main menu, the toolbar and the
// status bar around it. It carries out the document's commands by calling the document,
// hands the commands whose windows others build on as signals, enables the commands the
// device model allows, keeps the title, the bars' visibility, the option switches' check
// marks and the recent files, opens files dropped on it and can freeze its geometry
// while an unattended job runs.

#include <QMainWindow>
#include <QPoint>
#include <map>
#include <memory>
#include <span>

#include "app/menu_table.h"
#include "app/recent_files.h"
#include "platform/user_interface.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace vantor {
class CPlimoDoc;
class SettingsStore;
}  // namespace vantor

namespace vantor::gui {

class GuiUserInterface;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(CPlimoDoc& document, GuiUserInterface& ui, QWidget* parent = nullptr);
    // Keeps the window's geometry, its docks and bars for the next run.
    ~MainWindow() override;

    // The parameter view; the docks then take the places the last run left them in.
    void setCentralView(QWidget* view);
    // While set the window cannot be moved, minimized, maximized or resized.
    void setFixedGeometry(bool fixed);
    bool fixedGeometry() const { return fixedGeometry_; }
    // Close requests are ignored until the start-up allows them.
    void setCloseAllowed(bool allowed) { closeAllowed_ = allowed; }
    // Closes without the question about unsaved changes: the end of an unattended job,
    // the exit event.
    void closeUnasked();
    void updateTitle();
    // The enabling rules and what the device model adds to the menu, e.g. after a
    // model change.
    void updateCommands();
    void addRecentFile(const QString& path);
    const RecentFiles& recentFiles() const { return *recentFiles_; }

    // What File Open and File Save As do once the file dialog has given the path (Open
    // has asked about unsaved changes before).
    bool openFile(const QString& path);
    bool saveFileAs(const QString& path);
    // After a connection identified the module: when it is of another model than the
    // tree, offers to load that model's description (after the question about unsaved
    // changes); else the tree keeps its model.
    void offerModelOnLine();

    // The action of a command id; null when the menu has none.
    QAction* action(int id) const;
    QMenu* menu(MenuPlace place) const;
    QToolBar* toolBar() const { return toolBar_; }

signals:
    // The commands whose windows others build.
    void connectionSettingsRequested();  // "Serial port settings..."
    void singleParameterRequested();     // "View / edit parameter..."
    void ioStatusRequested();            // "I/O status..."
    void calibrationRequested();         // "Calibration..."
    void tareWeightRequested();          // KQ-15's "Tare weight"
    void htmlExportRequested();
    void previousTroubledRequested();
    void nextTroubledRequested();
    void documentReplaced();  // New/Open made a new tree: the view fills anew

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend std::span<const MenuEntry> menuEntries();
    friend std::span<const InsertableCommand> insertableCommands();

    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    QAction* makeAction(const MenuEntry& entry);
    void rebuildRecentFiles();
    void updateModelInsertions();
    void updateStatusCommandTexts();
    void syncCheckMarks();
    void restoreLayout();
    void restoreBars(const SettingsStore& settings);
    void storeLayout() const;
    // Unsaved changes are saved, discarded, or the person stays (false).
    bool maySetDocumentAside();
    void replaceWithNewDocument();
    // Save and Save As; true once the file is written.
    bool storeDocument();
    bool storeDocumentAs();

    // The command handlers.
    void newDocument();
    void openDocument();
    void saveDocument() { storeDocument(); }
    void saveDocumentAs() { storeDocumentAs(); }
    void readAll();
    void writeAll();
    void writeChanges();
    void compare();
    void applyDefaults();
    void sendInit();
    void applyNetworkSettings();
    void showIoStatus() { emit ioStatusRequested(); }
    void showSingleParameter() { emit singleParameterRequested(); }
    void checkConnection();
    void showConnectionSettings() { emit connectionSettingsRequested(); }
    void readBranch();
    void writeBranch();
    void writeBranchChanges();
    void compareBranch();
    void previousTroubled() { emit previousTroubledRequested(); }
    void nextTroubled() { emit nextTroubledRequested(); }
    void toggleShowIndexes();
    void toggleReadWhenOpen();
    void toggleInstantRecording();
    void calibrate() { emit calibrationRequested(); }
    void tareWeight() { emit tareWeightRequested(); }
    void toggleToolBar();
    void toggleStatusBar();
    void openHelp();
    void exportHtml() { emit htmlExportRequested(); }
    void compareWithFile();
    void showAbout();
    void exitProgram() { close(); }
    // The unattended read job's file, written once the task has ended.
    void saveAfterRead();

    CPlimoDoc& document_;
    GuiUserInterface& ui_;
    std::unique_ptr<RecentFiles> recentFiles_;
    std::map<int, QAction*> actions_;
    std::map<MenuPlace, QMenu*> menus_;
    std::map<OptionSwitch, QAction*> optionActions_;
    QList<QAction*> recentActions_;
    QAction* recentSeparator_ = nullptr;  // the recent files go in front of it
    QList<QAction*> modelInsertions_;     // the entries the device model added
    QToolBar* toolBar_ = nullptr;
    QLabel* idleMessage_ = nullptr;
    bool fixedGeometry_ = false;
    QPoint fixedPosition_;
    bool closeAllowed_ = false;
    bool askBeforeClose_ = true;
};

}  // namespace vantor::gui
