#pragma once
// A device model on a stand-in document: the shipped description of the model loaded
// from the built vantor.dat (the model made by the load's callback, as the document
// does), a module stand-in that records every exchange and answers scripted values,
// and a document that records the commands a model operation ends in.

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "description/tree_description.h"
#include "models/device_models.h"
#include "models/model_document.h"
#include "models/model_exchange.h"
#include "params/parameter.h"
#include "support/recording_ui.h"

namespace vantor::test {

using Lines = std::vector<std::string>;

// Records "read NAME" and "write NAME=TEXT" (the text that would go to the module);
// reads take the scripted value text, failures leave their error text.
class RecordingModule : public ModelExchange {
public:
    int ReadParameter(Parameter& p) override {
        calls.push_back("read " + p.name);
        if (const auto value = readValues.find(p.name); value != readValues.end()) p.valueText = value->second;
        return fail(p);
    }
    int WriteParameter(Parameter& p, int source) override {
        writtenTypes.push_back(p.type);
        calls.push_back("write " + p.name + "=" + (source < 0 ? p.configurationValue : p.valueText));
        return fail(p);
    }

    std::map<std::string, std::string> readValues;
    std::map<std::string, std::string> failures;  // name -> error text
    Lines calls;
    Lines writtenTypes;

private:
    int fail(Parameter& p) {
        const auto failure = failures.find(p.name);
        if (failure == failures.end()) return 0;
        p.errorText = failure->second;
        return 1;
    }
};

// The write-defaults task runs the tree's write with mode -1 on the module stand-in,
// as the communication thread would.
class RecordingDocument : public ModelDocument, private ParameterExchange {
public:
    RecordingDocument(TreeDescription& description, RecordingModule& module, UserInterface& ui)
        : description_(description), module_(module), ui_(ui) {}

    DescBranch* rootBranch() const override { return description_.rootBranch; }
    DescBranch* scannersBranch() const override { return description_.scannersBranch; }
    ModelExchange& exchange() override { return module_; }
    UserInterface& ui() override { return ui_; }
    bool RunWriteDefaults(DescBranch& root) override {
        events.push_back("write defaults task");
        root.WriteValues(*this, -1);
        return true;
    }
    bool HoldsHighestAccessLevel() const override { return highestAccessLevel; }
    void InitWithConfirmation() override { events.push_back("INIT with confirmation"); }
    void UpdateAllViews() override { events.push_back("update views"); }
    void PostReadAll() override { events.push_back("read all posted"); }
    void RunCalibrationProcedure(Calibration kind) override {
        events.push_back("calibration " + std::to_string(static_cast<int>(kind)));
    }

    bool highestAccessLevel = true;
    Lines events;

private:
    bool cancelled() const override { return false; }
    int readParameter(Parameter& p) override { return module_.ReadParameter(p); }
    int writeParameter(Parameter& p, int mode) override { return module_.WriteParameter(p, mode); }
    int compareParameter(Parameter&) override { return 0; }
    void progressStep() override {}
    void progressLog(const std::string&) override {}

    TreeDescription& description_;
    RecordingModule& module_;
    UserInterface& ui_;
};

struct LoadedModel {
    RecordingUserInterface ui;
    TreeDescription description{ui};
    RecordingModule module;
    RecordingDocument document{description, module, ui};
    std::unique_ptr<CBaseDevice> device;

    // Loads the shipped description of `model`, which makes the device model; with
    // `loadDescription` false only the device model is made, without trees.
    explicit LoadedModel(Model model, bool loadDescription = true) {
        if (!loadDescription) {
            device = CreateDeviceModel(static_cast<int>(model), document);
            return;
        }
        description.descriptionFile = VANTOR_BIN_DIR "/vantor.dat";
        description.createDeviceModel = [this](int index) { device = CreateDeviceModel(index, document); };
        description.LoadTreeDescription(static_cast<int>(model));
    }
};

}  // namespace vantor::test
