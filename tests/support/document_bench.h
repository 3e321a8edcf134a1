#pragma once
// A configuration document whose device link talks to an in-process virtual module of
// the same shipped model, settings kept in a temporary folder, and a front end whose
// dialogs answer as the test scripts them.

#include <optional>
#include <string>
#include <vector>

#include "document/configuration_document.h"
#include "support/module_bench.h"
#include "support/temporary_config_home.h"

namespace vantor::test {

inline constexpr int kKq16 = 14;

class ScriptedFrontEnd : public DocumentFrontEnd {
public:
    std::optional<TaskOutcome> RunWaitDialog(OperationCode code, Device& device) override {
        waitDialogs.push_back(code);
        progressRanges.push_back(device.progressTotal);
        return device.WaitTask();
    }
    bool RunStartupConnectionDialog() override {
        ++connectionDialogs;
        return exitInConnectionDialog;
    }
    bool RunApplyDialog() override {
        ++applyDialogs;
        return applyDialogAnswer;
    }
    void UpdateAllViews() override { ++viewUpdates; }
    void DropRows() override { ++rowDrops; }

    std::vector<OperationCode> waitDialogs;
    std::vector<int> progressRanges;
    int connectionDialogs = 0;
    bool exitInConnectionDialog = false;
    int applyDialogs = 0;
    bool applyDialogAnswer = false;
    int viewUpdates = 0;
    int rowDrops = 0;
};

struct DocumentBench : CleanAppState {
    explicit DocumentBench(int model = kKq16)
        : module(model, shippedTable(model), {16, 8, {}}, "1.0", clock),
          moduleLine(module, sim::FaultInjector({}, 1), std::nullopt),
          line(moduleLine, doc.device().sio()),
          recorder(line, line, doc.device().sio()) {
        doc.device().attachLine(&recorder, &recorder);
        doc.device().firmware = {1, 0};
        doc.description().descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        app().setCurrentModel(model);
    }
    ~DocumentBench() { doc.device().StopThreads(); }

    // The first parameter of the tree called `name`, at `index` when given.
    Parameter& named(const std::string& name, std::optional<int> index = std::nullopt) const {
        Parameter* found = nullptr;
        visit(*doc.rootBranch(), [&](Parameter& p) {
            if (!found && p.name == name && (!index || p.dataIndex == *index)) found = &p;
        });
        if (!found) throw std::runtime_error("no parameter " + name);
        return *found;
    }
    template <class Visit>
    static void visit(const DescBranch& branch, Visit&& onParameter) {
        branch.ForEachMember(onParameter, [&](DescBranch& sub) { visit(sub, onParameter); });
    }

    TemporaryConfigHome home;
    ScriptedFrontEnd frontEnd;
    SwitchingUserInterface ui;
    CPlimoDoc doc{ui, frontEnd};
    sim::ManualClock clock;
    sim::VirtualModule module;
    sim::ModuleLine moduleLine;
    sim::InProcessLine line;
    RecordingLine recorder;
};

}  // namespace vantor::test
