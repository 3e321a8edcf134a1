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
}

namespace vantor::gui {

class GuiUserInterface;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(CPlimoDoc& document, GuiUserInterface& ui, QWidget* parent = nullptr);
    // Keeps the bars' visibility for the next run.
    ~MainWindow() override;

    void setCentralView(QWidget* view);  // the parameter view
    // While set the window cannot be moved, minimized, maximized or resized.
    void setFixedGeometry(bool fixed);
    bool fixedGeometry() const { return fixedGeometry_; }
    // Close requests are ignored until the start-up allows them.
    void setCloseAllowed(bool allowed) { closeAllowed_ = allowed; }
    void updateTitle();
    // The enabling rules and what the device model adds to the menu, e.g. after a
    // model change.
    void updateCommands();
    void addRecentFile(const QString& path);
    const RecentFiles& recentFiles() const { return *recentFiles_; }

    // What File Open and File Save As do once the file dialog has given the path.
    bool openFile(const QString& path);
    bool saveFileAs(const QString& path);

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
    void restoreBars();
    void storeBars() const;

    // The command handlers.
    void newDocument();
    void openDocument();
    void saveDocument();
    void saveDocumentAs();
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
};

}  // namespace vantor::gui
