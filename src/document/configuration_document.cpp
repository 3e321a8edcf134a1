// CPlimoDoc: construction and start-up, the document's life cycle and the tree
// operations. The module commands are in module_commands.cpp, files in
// document_files.cpp.

#include "document/configuration_document.h"

#include "document/participation.h"
#include "models/device_models.h"
#include "models/kq08.h"
#include "platform/app_state.h"
#include "platform/settings_store.h"
#include "text/texts.h"

namespace vantor {

CPlimoDoc::CPlimoDoc(UserInterface& ui, DocumentFrontEnd& frontEnd)
    : ui_(ui), frontEnd_(frontEnd), device_(ui), description_(ui) {
    serviceParameters_.InitParameters();
    networkSettings_.InitParameters();
    device_.linkSettingsSource = [this] { return networkSettings_.lineSettings(); };
    device_.onDifference = [this](Parameter& configured, const Parameter& module) {
        compare_.AddDifference(configured, module);
    };
    description_.createDeviceModel = [this](int model) { createDeviceModel(model); };
    device_.onDocumentModified = [this] { setModified(true); };
    // The installation record; a store that cannot be written is no reason to stop.
    OpenSettings(SettingsScope::MachineWide)->writeString("devices", "Vantor");
}

CPlimoDoc::~CPlimoDoc() {
    device_.StopThreads();  // a task may use the tree and the device model
    dropDeviceModel();
}

bool CPlimoDoc::StartUp() {
    const CommandLineSettings& commandLine = app().commandLine();
    const bool commandLineMode = commandLine.options & kOptCommandLineMode;
    bool portFailed = false;
    const bool connected = device_.CheckConnection(portFailed);
    if (!connected && !commandLineMode) {
        frontEnd_.CloseSplash();
        if (frontEnd_.RunStartupConnectionDialog()) exitRequested_ = true;
    }
    if (commandLine.mode & kModeTest) exitRequested_ = true;

    bool readWhenOpen = connected;
    if (commandLine.mode & kModeAutoreadOn) readWhenOpen = true;
    if (commandLine.mode & kModeAutoreadOff) readWhenOpen = false;
    ui_.setOption(OptionSwitch::ReadWhenOpen, readWhenOpen);
    return connected;
}

bool CPlimoDoc::OnNewDocument() {
    device_.StopThreads();
    ClearDescription();
    pathName_.clear();
    setModified(false);
    if (exitRequested_ || !RebuildTree(std::nullopt)) return false;
    networkSettings_.ClearChanged();
    device_.OpenPort(false);
    return true;
}

DescBranch* CPlimoDoc::RebuildTree(std::optional<int> model) {
    device_.StopThreads();
    ClearDescription();
    if (model) app().setCurrentModel(*model);
    description_.deviceVersion = device_.firmware;
    if (!description_.LoadTreeDescription(app().currentModel())) return nullptr;
    treeModel_ = app().currentModel();
    return description_.rootBranch;
}

void CPlimoDoc::setModified(bool modified) {
    if (modified_.exchange(modified) != modified && onModifiedChanged) onModifiedChanged();
}

bool CPlimoDoc::anotherModelOnLine() const {
    const int onLine = app().currentModel();
    return treeModel_ != kNoModel && onLine != kNoModel && onLine != treeModel_;
}

void CPlimoDoc::KeepTreeModel() {
    if (treeModel_ != kNoModel) app().setCurrentModel(treeModel_);
}

void CPlimoDoc::OnLogParameter(Parameter& parameter) {
    if (deviceModel_) deviceModel_->OnLogParameter(parameter);
}

void CPlimoDoc::DeleteContents() {
    if (DescBranch* root = rootBranch()) root->ResetValues();
}

void CPlimoDoc::OnCloseDocument() {
    Parameter init("INIT");
    init.type = "void";
    init.valueText.clear();
    device_.ReadParameter(init, false);
    dropDeviceModel();
}

void CPlimoDoc::ClearDescription() {
    frontEnd_.DropRows();
    selectedElement = nullptr;
    description_.Clear();
    treeModel_ = kNoModel;
}

std::string CPlimoDoc::title() const {
    if (pathName_.empty()) return Text("AFX_IDS_UNTITLED");
    const std::size_t slash = pathName_.find_last_of('/');
    return slash == std::string::npos ? pathName_ : pathName_.substr(slash + 1);
}

void CPlimoDoc::createDeviceModel(int model) {
    dropDeviceModel();
    deviceModel_ = CreateDeviceModel(model, *this);
    device_.deviceModel = deviceModel_.get();
    device_.codecContext = ModelCodecContext(deviceModel_.get());
    device_.eightDataBitsOnly = dynamic_cast<const CKQ08*>(deviceModel_.get()) != nullptr;
}

void CPlimoDoc::dropDeviceModel() {
    device_.deviceModel = nullptr;
    device_.codecContext = ModelCodecContext(nullptr);
    deviceModel_.reset();
}

void CPlimoDoc::showError(const std::string& key) {
    ui_.message(Text(key), Text("AFX_IDS_APP_TITLE"), MessageIcon::Error, MessageButtons::Ok);
}

DescBranch* CPlimoDoc::scopeBranch(TreeScope scope) {
    if (scope == TreeScope::WholeTree) {
        if (!rootBranch()) showError("IDS_STRING170");
        return rootBranch();
    }
    auto* branch = dynamic_cast<DescBranch*>(selectedElement);
    if (!branch) showError("IDS_STRING171");
    return branch;
}

bool CPlimoDoc::runTreeOperation(OperationCode code, TreeScope scope) {
    DescBranch* branch = scopeBranch(scope);
    if (!branch || !runTask(code, *branch)) return false;
    UpdateAllViews();
    return true;
}

bool CPlimoDoc::runTask(OperationCode code, DescBranch& branch) {
    const int participants = CountParticipants(branch, participationModeOf(code));
    lastOutcome_.reset();
    // Nothing changed: the module is left alone, not even restarted, and the empty write
    // is done.
    if (code == OperationCode::WriteChanges && participants == 0) {
        ui_.message(Text("IDS_NOTHING_TO_WRITE"), Text("AFX_IDS_APP_TITLE"), MessageIcon::Information,
                    MessageButtons::Ok);
        lastOutcome_.emplace().code = code;
        frontEnd_.TaskEnded(*lastOutcome_);
        return true;
    }
    ui_.waitCursor(true);
    device_.progressTotal = participants;
    device_.progressDone = 0;
    if (device_.StartTask(code, branch)) lastOutcome_ = frontEnd_.RunWaitDialog(code, device_);
    ui_.waitCursor(false);
    if (lastOutcome_) frontEnd_.TaskEnded(*lastOutcome_);
    return lastOutcome_.has_value();
}

bool CPlimoDoc::runSingleTask(OperationCode code, Parameter& parameter) {
    ui_.waitCursor(true);
    device_.progressTotal = 1;
    device_.progressDone = 0;
    lastOutcome_.reset();
    if (device_.StartTask(code, parameter)) lastOutcome_ = frontEnd_.RunWaitDialog(code, device_);
    ui_.waitCursor(false);
    if (!lastOutcome_) return false;
    UpdateAllViews();
    frontEnd_.TaskEnded(*lastOutcome_);
    return true;
}

bool CPlimoDoc::Compare(TreeScope scope, bool showReport) {
    DescBranch* branch = scopeBranch(scope);
    if (!branch) return false;
    compare_.Reset();
    if (!runTask(OperationCode::Compare, *branch)) return false;
    if (showReport) ui_.message(compare_.Report(), Text("IDS_STRING160"), MessageIcon::Information, MessageButtons::Ok);
    UpdateAllViews();
    return true;
}

bool CPlimoDoc::RunWriteDefaults(DescBranch& root) { return runTask(OperationCode::WriteDefaults, root); }

}  // namespace vantor
