#pragma once
// The configuration document: everything that describes and holds the configuration of
// the one module the program works with — the device link, the program's own service
// parameters and network settings, the description of the module's model with the
// parameter tree built from it, the device model — and the tree operations and module
// commands that the menus, the toolbar and the command line ask for. It knows no
// window: the desktop program and vantorctl put their front ends on it.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "description/catalogue.h"
#include "description/tree_description.h"
#include "device/device.h"
#include "document/compare_report.h"
#include "document/configuration_file.h"
#include "document/configuration_target.h"
#include "document/document_front_end.h"
#include "elements/common_params.h"
#include "elements/net_rs485_prg.h"
#include "models/base_device.h"
#include "models/model_document.h"
#include "models/model_exchange.h"

namespace vantor {

// Which branch a tree operation works on.
enum class TreeScope { WholeTree, SelectedBranch };

class CPlimoDoc : public ModelDocument, public ModelExchange, private ConfigurationTarget {
public:
    // Fills the service parameters and the program network settings from the settings
    // store and records the installation; talks to nobody yet. `ui` and `frontEnd`
    // outlive the document.
    CPlimoDoc(UserInterface& ui, DocumentFrontEnd& frontEnd);
    // Stops the link's threads before the tree and the device model go.
    ~CPlimoDoc() override;
    CPlimoDoc(const CPlimoDoc&) = delete;
    CPlimoDoc& operator=(const CPlimoDoc&) = delete;

    // The rest of the start-up: the command line's network settings, the connection
    // check without messages and, when it failed and no command-line option was given,
    // the connection dialog. True when the module answered (the first state of "Read
    // when open" unless the command line set it).
    bool StartUp();
    // Set by the connection dialog's Exit or the command-line option "test": no
    // document can be made any more.
    bool exitRequested() const { return exitRequested_; }

    // File New: the tree of the current model, the port opened with the program
    // network settings. False when no document can be made.
    bool OnNewDocument();
    // File Open: the model check already done, the file read into a freshly built
    // tree. False (after a message) when the file could not be used; the document is
    // then as the message says.
    bool OnOpenDocument(const std::string& path);
    // File Save: the file replaced only once the new one is complete. False with the
    // reason in `reason`; the previous file is kept then.
    bool OnSaveDocument(const std::string& path, std::string& reason);
    // The file's model against the current one, asking the person when they differ:
    // true when the file may be opened.
    bool ConfirmFileModel(const std::string& path);
    // How the last open's load ended.
    ConfigurationLoad lastLoad() const { return lastLoad_; }
    // Every parameter of the tree back to "no data" with its marks cleared.
    void DeleteContents();
    // Sends the module "INIT" as a read (the result does not matter) and lets the
    // device model go.
    void OnCloseDocument();
    // Drops the description and both trees; the views first drop their rows. The
    // link's threads must be stopped before.
    void ClearDescription();

    // The tree operations, on the whole tree or the selected branch: true when the
    // wait dialog ran, or when a write of the changes found none and sent nothing.
    bool ReadAll(TreeScope scope) { return runTreeOperation(OperationCode::ReadAll, scope); }
    bool WriteAll(TreeScope scope) { return runTreeOperation(OperationCode::WriteAll, scope); }
    bool WriteChanges(TreeScope scope) { return runTreeOperation(OperationCode::WriteChanges, scope); }
    // The view's "Read parameter" and "Save parameter": one parameter through the wait
    // dialog; true when it ran.
    bool ReadParameterTask(Parameter& parameter) { return runSingleTask(OperationCode::ReadOne, parameter); }
    bool WriteParameterTask(Parameter& parameter) { return runSingleTask(OperationCode::WriteOne, parameter); }
    // Shows the comparison report unless told not to; `compareReport()` keeps it.
    bool Compare(TreeScope scope, bool showReport = true);
    const CompareReport& compareReport() const { return compare_; }
    // The outcome of the task the last tree operation ran; none before the first.
    const std::optional<TaskOutcome>& lastOutcome() const { return lastOutcome_; }

    // Module commands.
    void SendInitWithConfirmation() { InitWithConfirmation(); }
    // INIT without the question; a refusal is shown. True when the module took it.
    bool SendInit();
    // The device model's APLY, to the module's address or as a broadcast to address
    // 255; true when the module took it (a broadcast is never answered).
    bool SendApply(bool broadcast);
    void ApplyNetworkSettings();
    void ApplyDefaultSettings();
    // "Check connection...": identification with its report.
    void CheckConnectionCommand();
    void ToggleReadWhenOpen();
    void ToggleInstantRecording();
    void ToggleShowIndexes();
    // "Show indexes" and "Instant recording" as the settings store keeps them.
    void RestoreOptionSwitches();
    void OpenHelp();

    // ModelDocument.
    DescBranch* rootBranch() const override { return description_.rootBranch; }
    DescBranch* scannersBranch() const override { return description_.scannersBranch; }
    ModelExchange& exchange() override { return *this; }
    UserInterface& ui() override { return ui_; }
    bool RunWriteDefaults(DescBranch& root) override;
    bool HoldsHighestAccessLevel() const override { return device_.attributeWritingAllowed; }
    void InitWithConfirmation() override;
    void UpdateAllViews() override { frontEnd_.UpdateAllViews(); }
    void PostReadAll() override { frontEnd_.PostReadAll(); }
    void RunCalibrationProcedure(Calibration kind) override { frontEnd_.RunCalibration(kind); }

    // ModelExchange: the single-parameter read and write of the link.
    int ReadParameter(Parameter& parameter) override { return device_.ReadParameter(parameter, false); }
    int WriteParameter(Parameter& parameter, int source) override { return device_.WriteParameter(parameter, source); }

    Device& device() { return device_; }
    NetRS485prg& networkSettings() { return networkSettings_; }
    CommonParams& serviceParameters() { return serviceParameters_; }
    TreeDescription& description() { return description_; }
    DescBranch* networkBranch() const { return description_.networkBranch; }
    CBaseDevice* deviceModel() const { return deviceModel_.get(); }
    // The element the parameter view has selected; null when none.
    ObjectWithParameters* selectedElement = nullptr;

    // The framework's document services.
    const std::string& pathName() const { return pathName_; }
    void setPathName(const std::string& path) { pathName_ = path; }
    // The file name of the path, or "Untitled".
    std::string title() const;
    // Set by edits and by every read that got an answer (on the link's threads too);
    // cleared by New, Open and Save.
    bool modified() const { return modified_; }
    void setModified(bool modified);
    // Told on the thread that changed the flag.
    std::function<void()> onModifiedChanged;

    // The model whose description the tree was built from; kNoModel without a tree.
    int treeModel() const { return treeModel_; }
    // True when the last identification found a module of another model than the
    // tree's, whose descriptors the module would not know.
    bool anotherModelOnLine() const;
    // The tree stays: the current model goes back to the tree's, so that the title and
    // a saved file name the model the values belong to.
    void KeepTreeModel();

private:
    bool runTreeOperation(OperationCode code, TreeScope scope);
    // The branch of `scope`, or null after the message that there is none.
    DescBranch* scopeBranch(TreeScope scope);
    // Counts the participants, runs the wait dialog over `branch` and tells the front
    // end how the task ended.
    bool runTask(OperationCode code, DescBranch& branch);
    bool runSingleTask(OperationCode code, Parameter& parameter);
    void createDeviceModel(int model);
    void dropDeviceModel();
    void copyModuleNetworkSettings();
    void showError(const std::string& key);

    // ConfigurationTarget: what loading a file asks of the document.
    DescBranch* RebuildTree(std::optional<int> model) override;
    void OnLogParameter(Parameter& parameter) override;

    UserInterface& ui_;
    DocumentFrontEnd& frontEnd_;
    NetRS485prg networkSettings_;  // before the link: the link reads it until it is gone
    Device device_;
    CommonParams serviceParameters_;
    TreeDescription description_;
    std::unique_ptr<CBaseDevice> deviceModel_;
    CompareReport compare_;
    std::optional<TaskOutcome> lastOutcome_;
    ConfigurationLoad lastLoad_ = ConfigurationLoad::Loaded;
    bool exitRequested_ = false;
    std::string pathName_;
    std::atomic<bool> modified_ = false;
    int treeModel_ = kNoModel;
};

}  // namespace vantor
