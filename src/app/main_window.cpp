#include "app/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <cstdio>
#include <optional>

#include "app/about_dialog.h"
#include "app/connection_status.h"
#include "app/gui_user_interface.h"
#include "app/icons.h"
#include "app/unsaved_changes.h"
#include "description/catalogue.h"
#include "dialogs/review_dialog.h"
#include "document/configuration_document.h"
#include "document/read_job.h"
#include "platform/app_state.h"
#include "platform/settings_store.h"
#include "text/format.h"
#include "text/texts.h"
#include "view/traffic_monitor.h"

namespace vantor::gui {

namespace {

QString qtText(const std::string& text) { return QString::fromStdString(text); }

// A menu text without what follows its TAB: Qt shows the shortcut itself.
QString menuLabel(const std::string& text) { return qtText(text.substr(0, text.find('\t'))); }

// Of a prompt "status text LF tooltip" the part after the last LF, as a toolbar
// button shows it.
constexpr qsizetype kMaxToolTip = 79;
QString toolTipOf(const std::string& prompt) {
    const std::size_t lastBreak = prompt.rfind('\n');
    const std::string tip = lastBreak == std::string::npos ? std::string() : prompt.substr(lastBreak + 1);
    return qtText(tip).left(kMaxToolTip);
}

// The status-bar part of a prompt: what stands before its last line break.
QString statusTipOf(const std::string& prompt) {
    const std::size_t lastBreak = prompt.rfind('\n');
    if (lastBreak == std::string::npos) return {};
    return qtText(prompt.substr(0, lastBreak)).trimmed();
}

// The whole prompt of a command: by its symbolic name, else the string table's.
std::string promptOf(int id) {
    std::string prompt;
    if (!TextById(id, 0, prompt)) prompt = TextByKeyOrId("", id);
    return prompt;
}

// The file dialogs' filter: the fourth part of the document template text,
// "Configuration files (*.vantor)".
QString fileFilter() {
    const QStringList parts = qtText(TextByKeyOrId("IDR_MAINFRAME", 0)).split(QStringLiteral("\r\n"));
    return parts.size() > 3 ? parts[3] : QStringLiteral("*.vantor");
}

// The option switch whose state a check mark shows.
std::optional<OptionSwitch> switchOf(CheckMark check) {
    switch (check) {
    case CheckMark::ShowIndexes: return OptionSwitch::ShowIndexes;
    case CheckMark::ReadWhenOpen: return OptionSwitch::ReadWhenOpen;
    case CheckMark::InstantRecording: return OptionSwitch::InstantRecording;
    case CheckMark::None:
    case CheckMark::ToolBar:
    case CheckMark::StatusBar: break;
    }
    return std::nullopt;
}

// The window's layout in the per-user settings: the bars' visibility, the geometry and
// the docks' and bars' places (Qt's own blocks).
constexpr const char kToolBarValue[] = "viewtoolbar";
constexpr const char kStatusBarValue[] = "viewstatusbar";
constexpr const char kGeometryValue[] = "windowgeometry";
constexpr const char kStateValue[] = "windowstate";

QByteArray bytesOf(const std::optional<SettingsBytes>& block) {
    return block ? QByteArray(reinterpret_cast<const char*>(block->data()), qsizetype(block->size())) : QByteArray();
}

std::span<const std::uint8_t> blockOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())};
}

// Takes `actions` out of the menus; they go once the event that may have triggered
// one of them is done.
void dropActions(QList<QAction*>& actions) {
    for (QAction* action : actions) {
        for (QObject* shown : action->associatedObjects())
            if (auto* widget = qobject_cast<QWidget*>(shown)) widget->removeAction(action);
        action->deleteLater();
    }
    actions.clear();
}

bool isKq07(const CBaseDevice* model) { return model && model->model() == Model::KQ07; }

}  // namespace

MainWindow::MainWindow(CPlimoDoc& document, GuiUserInterface& ui, QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      ui_(ui),
      recentFiles_(std::make_unique<RecentFiles>(OpenRecentFilesSettings())) {
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    setContextMenuPolicy(Qt::NoContextMenu);  // the bars are switched in Tools only
    for (const MenuEntry& entry : menuEntries()) actions_[entry.id] = makeAction(entry);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    // The frame traffic of the link, off until asked for in Tools.
    auto* traffic = new TrafficMonitor(document_, this);
    addDockWidget(Qt::BottomDockWidgetArea, traffic);
    traffic->hide();
    traffic->toggleViewAction()->setText(qtText(Text("IDS_TRAFFIC_MENU")));
    menu(MenuPlace::Tools)->addAction(traffic->toggleViewAction());
    restoreLayout();
    syncCheckMarks();

    connect(&ui_, &GuiUserInterface::optionChanged, this, [this](OptionSwitch which, bool on) {
        if (const auto mark = optionActions_.find(which); mark != optionActions_.end()) mark->second->setChecked(on);
    });
    // Requests of the link's threads, carried out once the task has handed them over.
    connect(&ui_, &GuiUserInterface::applyNetworkSettingsRequested, this, &MainWindow::applyNetworkSettings,
            Qt::QueuedConnection);
    connect(&ui_, &GuiUserInterface::saveAfterReadRequested, this, &MainWindow::saveAfterRead, Qt::QueuedConnection);
    // Reads mark the document on the link's threads; the title follows on this one.
    document_.onModifiedChanged = [this] {
        QMetaObject::invokeMethod(
            this, [this] { setWindowModified(document_.modified()); }, Qt::QueuedConnection);
    };

    updateCommands();
    updateTitle();
}

MainWindow::~MainWindow() {
    document_.onModifiedChanged = nullptr;
    storeLayout();
}

QAction* MainWindow::makeAction(const MenuEntry& entry) {
    auto* action = new QAction(menuLabel(TextByKeyOrId(entry.textKey, 0)), this);
    if (*entry.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut)));
    action->setIcon(commandIcon(entry.icon));
    const std::string prompt = promptOf(entry.id);
    action->setStatusTip(statusTipOf(prompt));
    action->setToolTip(toolTipOf(prompt));
    if (entry.check != CheckMark::None) action->setCheckable(true);
    if (const std::optional<OptionSwitch> which = switchOf(entry.check)) optionActions_[*which] = action;
    if (entry.handler)
        connect(action, &QAction::triggered, this, [this, handler = entry.handler] { (this->*handler)(); });
    return action;
}

void MainWindow::buildMenus() {
    for (const MenuTitle& title : menuTitles()) {
        if (title.place == MenuPlace::Commands) continue;  // made where its entries start
        QMenu* menu = menuBar()->addMenu(qtText(TextByKeyOrId(title.textKey, 0)));
        menus_[title.place] = menu;
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommands);
    }
    for (const MenuEntry& entry : menuEntries()) {
        if (!menus_.count(entry.place)) {  // the submenu Commands, in Device
            const auto commands = std::find_if(menuTitles().begin(), menuTitles().end(),
                                               [](const MenuTitle& t) { return t.place == MenuPlace::Commands; });
            menus_[entry.place] = menus_[MenuPlace::Device]->addMenu(qtText(TextByKeyOrId(commands->textKey, 0)));
        }
        QMenu* menu = menus_[entry.place];
        if (entry.id == command::kRecentFile) {
            recentSeparator_ = menu->addSeparator();
            rebuildRecentFiles();
            continue;
        }
        menu->addAction(actions_[entry.id]);
        if (entry.separatorAfter) menu->addSeparator();
    }
}

void MainWindow::buildToolBar() {
    toolBar_ = addToolBar(qtText(Text("IDS_STRING471")));
    toolBar_->setObjectName("toolbar");
    toolBar_->setIconSize(QSize(22, 22));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (int id : toolBarButtons()) {
        if (id == 0)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_.at(id));
    }
}

void MainWindow::buildStatusBar() {
    idleMessage_ = new QLabel(qtText(Text("AFX_IDS_IDLEMESSAGE")));
    statusBar()->addWidget(idleMessage_, 1);  // hidden while a prompt shows
    statusBar()->addPermanentWidget(new ConnectionStatus(document_, this));
}

// The docks' places come back once the window is whole: laid out without its middle,
// the dock would take the middle's room.
void MainWindow::setCentralView(QWidget* view) {
    setCentralWidget(view);
    const auto settings = OpenSettings(SettingsScope::PerUser);
    restoreState(bytesOf(settings->readBinary(kStateValue)));
    restoreBars(*settings);
    syncCheckMarks();
}

QAction* MainWindow::action(int id) const {
    const auto found = actions_.find(id);
    if (found != actions_.end()) return found->second;
    for (QAction* inserted : modelInsertions_)
        if (inserted->data().toInt() == id) return inserted;
    return nullptr;
}

QMenu* MainWindow::menu(MenuPlace place) const {
    const auto found = menus_.find(place);
    return found == menus_.end() ? nullptr : found->second;
}

// The title: the program, the module model, the document's file name.
void MainWindow::updateTitle() {
    const int model = app().currentModel();
    const std::string modelName = model == kNoModel ? Text("IDS_STRING131") : modelDisplayName(model);
    const std::string& path = document_.pathName();
    const QString documentName =
        path.empty() ? qtText(TextByKeyOrId("AFX_IDS_UNTITLED", 0)) : QFileInfo(qtText(path)).fileName();
    setWindowTitle(qtText(Text("IDS_STRING130") + " " + modelName) + " - " + documentName + "[*]");
    setWindowModified(document_.modified());
}

void MainWindow::updateCommands() {
    const CBaseDevice* model = document_.deviceModel();
    actions_.at(command::kCalibration)->setEnabled(model && model->HasCalibration());
    actions_.at(command::kStatus)->setEnabled(model && !model->NoStatusDialog());
    actions_.at(command::kSendInit)->setEnabled(!isKq07(model));
    actions_.at(command::kDefaults)->setEnabled(!isKq07(model));
    updateStatusCommandTexts();
    updateModelInsertions();
}

// The I/O status command says what the model shows: inputs, outputs or both.
void MainWindow::updateStatusCommandTexts() {
    const CBaseDevice* model = document_.deviceModel();
    const std::string prompt = model ? model->StatusCommandText() : promptOf(command::kStatus);
    QAction* status = actions_.at(command::kStatus);
    status->setToolTip(toolTipOf(prompt));
    status->setStatusTip(statusTipOf(prompt));
}

// The entries the device model adds, made anew when the model changed.
void MainWindow::updateModelInsertions() {
    const CBaseDevice* model = document_.deviceModel();
    const std::vector<MenuInsertion> wanted = model ? model->AdjustMenu() : std::vector<MenuInsertion>{};
    std::vector<int> present;
    present.reserve(modelInsertions_.size());
    for (QAction* inserted : modelInsertions_) present.push_back(inserted->data().toInt());
    std::vector<int> wantedIds;
    wantedIds.reserve(wanted.size());
    for (const MenuInsertion& insertion : wanted) wantedIds.push_back(insertion.command);
    if (present == wantedIds) return;

    dropActions(modelInsertions_);
    constexpr MenuPlace kPlaceOfSubmenu[] = {MenuPlace::File, MenuPlace::Device, MenuPlace::Tree, MenuPlace::Tools,
                                             MenuPlace::Help};
    for (const MenuInsertion& insertion : wanted) {
        const auto known = std::find_if(insertableCommands().begin(), insertableCommands().end(),
                                        [&](const InsertableCommand& c) { return c.id == insertion.command; });
        if (known == insertableCommands().end() || insertion.submenu < 0 || insertion.submenu > 4) continue;
        auto* added = new QAction(menuLabel(insertion.text), this);
        added->setData(insertion.command);
        const std::string prompt = promptOf(insertion.command);
        added->setStatusTip(statusTipOf(prompt));
        connect(added, &QAction::triggered, this, [this, handler = known->handler] { (this->*handler)(); });
        QMenu* target = menus_.at(kPlaceOfSubmenu[insertion.submenu]);
        const auto before = actions_.find(insertion.beforeCommand);
        target->insertAction(before == actions_.end() ? nullptr : before->second, added);
        modelInsertions_.append(added);
    }
}

void MainWindow::syncCheckMarks() {
    for (const auto& [which, mark] : optionActions_) mark->setChecked(document_.ui().option(which));
    actions_.at(command::kToolBar)->setChecked(toolBar_->isVisibleTo(this));
    actions_.at(command::kStatusBar)->setChecked(statusBar()->isVisibleTo(this));
}

// The window as the last run left it. The first time it takes most of the screen,
// centred, so that a window system that does not maximize it shows more than its
// smallest size. Both bars are hidden unless the last run left them shown.
void MainWindow::restoreLayout() {
    const auto settings = OpenSettings(SettingsScope::PerUser);
    if (!restoreGeometry(bytesOf(settings->readBinary(kGeometryValue)))) {
        const QRect screenArea = screen()->availableGeometry();
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, screenArea.size() * 4 / 5, screenArea));
    }
    restoreBars(*settings);
}

void MainWindow::restoreBars(const SettingsStore& settings) {
    toolBar_->setVisible(settings.readInteger(kToolBarValue).value_or(0) != 0);
    // The status bar tells the connection and the last task's outcome: shown unless the
    // person hid it.
    statusBar()->setVisible(settings.readInteger(kStatusBarValue).value_or(1) != 0);
}

void MainWindow::storeLayout() const {
    const auto settings = OpenSettings(SettingsScope::PerUser);
    settings->writeInteger(kToolBarValue, toolBar_->isVisibleTo(this) ? 1 : 0);
    settings->writeInteger(kStatusBarValue, statusBar()->isVisibleTo(this) ? 1 : 0);
    settings->writeBinary(kGeometryValue, blockOf(saveGeometry()));
    settings->writeBinary(kStateValue, blockOf(saveState()));
}

// Recent files.

void MainWindow::addRecentFile(const QString& path) {
    recentFiles_->add(path);
    rebuildRecentFiles();
}

void MainWindow::rebuildRecentFiles() {
    QMenu* file = menus_.at(MenuPlace::File);
    dropActions(recentActions_);
    const QStringList& paths = recentFiles_->paths();
    if (paths.isEmpty()) {  // the entry stands disabled while the list is empty
        auto* none = new QAction(menuLabel(TextByKeyOrId("IDR_MAINFRAME_MENUITEM_MRU_FILE1", 0)), this);
        none->setEnabled(false);
        recentActions_.append(none);
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)), this);
        entry->setStatusTip(statusTipOf(promptOf(command::kRecentFile + int(i))));
        connect(entry, &QAction::triggered, this, [this, path] {
            if (!maySetDocumentAside()) return;
            if (!openFile(path)) {
                recentFiles_->remove(path);
                rebuildRecentFiles();
            }
        });
        recentActions_.append(entry);
    }
    file->insertActions(recentSeparator_, recentActions_);
}

// Files.

bool MainWindow::openFile(const QString& path) {
    if (!document_.ConfirmFileModel(path.toStdString())) return false;
    const bool opened = document_.OnOpenDocument(path.toStdString());
    if (opened) addRecentFile(path);
    // A failed open may have rebuilt the tree as well.
    emit documentReplaced();
    updateCommands();
    updateTitle();
    return opened;
}

// A file against the module: its differences listed, the chosen ones written.
void MainWindow::compareWithFile() {
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), fileFilter());
    if (path.isEmpty() || !maySetDocumentAside() || !openFile(path)) return;
    ReviewDialog review(document_, this);
    review.exec();
    updateTitle();
}

bool MainWindow::saveFileAs(const QString& path) {
    std::string reason;
    if (!document_.OnSaveDocument(path.toStdString(), reason)) {
        document_.ui().message(Text("AFX_IDP_FAILED_TO_SAVE_DOC") + "\n" + path.toStdString() + ": " + reason, "",
                               MessageIcon::Error, MessageButtons::Ok);
        return false;
    }
    addRecentFile(path);
    updateTitle();
    return true;
}

bool MainWindow::maySetDocumentAside() {
    return MaySetDocumentAside(document_, [this] { return storeDocument(); });
}

void MainWindow::newDocument() {
    if (maySetDocumentAside()) replaceWithNewDocument();
}

void MainWindow::replaceWithNewDocument() {
    document_.OnNewDocument();
    emit documentReplaced();
    updateCommands();
    updateTitle();
}

void MainWindow::openDocument() {
    const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), fileFilter());
    if (!path.isEmpty() && maySetDocumentAside()) openFile(path);
}

bool MainWindow::storeDocument() {
    if (document_.pathName().empty()) return storeDocumentAs();
    return saveFileAs(qtText(document_.pathName()));
}

bool MainWindow::storeDocumentAs() {
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(fileFilter());
    dialog.setDefaultSuffix("vantor");
    if (!document_.pathName().empty()) dialog.selectFile(qtText(document_.pathName()));
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() &&
           saveFileAs(dialog.selectedFiles().first());
}

void MainWindow::offerModelOnLine() {
    if (!document_.anotherModelOnLine() || (app().commandLine().options & kOptCommandLineMode)) return;
    const std::string onLine = modelDisplayName(app().currentModel());
    const std::string question = FormatTextArgs(Text("IDS_MODEL_ON_LINE"), onLine.c_str(),
                                                modelDisplayName(document_.treeModel()).c_str(), onLine.c_str());
    if (document_.ui().message(question, "", MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes &&
        maySetDocumentAside())
        replaceWithNewDocument();
    else
        document_.KeepTreeModel();
    updateCommands();
    updateTitle();
}

void MainWindow::saveAfterRead() {
    std::string reason;
    const std::string& file = app().commandLineFile();
    const std::string saved = SaveReadJobFile(document_, file, reason);
    // An unattended job: no box to wait for, the note goes where its log goes.
    if (!saved.empty() && saved != file) std::fprintf(stderr, "%s\n", IncompleteReadNote(saved).c_str());
    updateTitle();
}

// The document's commands.

void MainWindow::readAll() { document_.ReadAll(TreeScope::WholeTree); }
void MainWindow::writeAll() { document_.WriteAll(TreeScope::WholeTree); }
void MainWindow::writeChanges() { document_.WriteChanges(TreeScope::WholeTree); }
void MainWindow::compare() { document_.Compare(TreeScope::WholeTree); }
void MainWindow::readBranch() { document_.ReadAll(TreeScope::SelectedBranch); }
void MainWindow::writeBranch() { document_.WriteAll(TreeScope::SelectedBranch); }
void MainWindow::writeBranchChanges() { document_.WriteChanges(TreeScope::SelectedBranch); }
void MainWindow::compareBranch() { document_.Compare(TreeScope::SelectedBranch); }
void MainWindow::applyDefaults() { document_.ApplyDefaultSettings(); }
void MainWindow::sendInit() { document_.SendInitWithConfirmation(); }
void MainWindow::applyNetworkSettings() { document_.ApplyNetworkSettings(); }
void MainWindow::checkConnection() {
    document_.CheckConnectionCommand();
    offerModelOnLine();
}
void MainWindow::openHelp() { document_.OpenHelp(); }

// The switches keep their mark where the document leaves them.
void MainWindow::toggleShowIndexes() {
    document_.ToggleShowIndexes();
    syncCheckMarks();
}
void MainWindow::toggleReadWhenOpen() {
    document_.ToggleReadWhenOpen();
    syncCheckMarks();
}
void MainWindow::toggleInstantRecording() {
    document_.ToggleInstantRecording();
    syncCheckMarks();
}

void MainWindow::toggleToolBar() {
    toolBar_->setVisible(!toolBar_->isVisibleTo(this));
    syncCheckMarks();
}

void MainWindow::toggleStatusBar() {
    statusBar()->setVisible(!statusBar()->isVisibleTo(this));
    syncCheckMarks();
}

void MainWindow::showAbout() {
    AboutDialog about(document_.serviceParameters(), this);
    about.exec();
}

// The window.

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeAllowed_ && (!askBeforeClose_ || maySetDocumentAside()))
        event->accept();
    else
        event->ignore();
    askBeforeClose_ = true;
}

void MainWindow::closeUnasked() {
    askBeforeClose_ = false;
    close();
}

void MainWindow::setFixedGeometry(bool fixed) {
    if (fixed == fixedGeometry_) return;
    fixedGeometry_ = fixed;
    if (fixed) {
        fixedPosition_ = pos();
        setFixedSize(size());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowMinMaxButtonsHint, !fixed);
    if (shown) show();  // changing the flags hides the window
}

// A minimize or maximize that the window system carried out anyway is undone.
void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && fixedGeometry_ &&
        (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        QMetaObject::invokeMethod(
            this, [this] { setWindowState(Qt::WindowNoState); }, Qt::QueuedConnection);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (fixedGeometry_ && pos() != fixedPosition_)
        QMetaObject::invokeMethod(
            this, [this] { move(fixedPosition_); }, Qt::QueuedConnection);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

// A file dropped on the window opens as File Open would; of several, the first.
void MainWindow::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        event->acceptProposedAction();
        activateWindow();
        if (maySetDocumentAside()) openFile(url.toLocalFile());
        return;
    }
}

}  // namespace vantor::gui
