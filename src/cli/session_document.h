#pragma once
// The document a device model belongs to, as far as a vantorctl module command has one:
// the session's tree and link and the person on stderr. The commands of a document
// window (write defaults, INIT with its question, views, a posted read) do not exist
// here; they answer as having done nothing.

#include "device/device.h"
#include "models/model_document.h"
#include "models/model_exchange.h"

namespace vantor::cli {

class SessionDocument : public ModelDocument, public ModelExchange {
public:
    // `root` is where the session keeps its tree's root branch (null until loaded).
    SessionDocument(Device& device, DescBranch* const& root) : device_(device), root_(root) {}

    DescBranch* rootBranch() const override { return root_; }
    DescBranch* scannersBranch() const override { return nullptr; }
    ModelExchange& exchange() override { return *this; }
    UserInterface& ui() override { return device_.userInterface(); }
    bool RunWriteDefaults(DescBranch&) override { return false; }
    bool HoldsHighestAccessLevel() const override { return device_.attributeWritingAllowed; }
    void InitWithConfirmation() override {}
    void UpdateAllViews() override {}
    void PostReadAll() override {}

    int ReadParameter(Parameter& parameter) override { return device_.ReadParameter(parameter, false); }
    int WriteParameter(Parameter& parameter, int source) override { return device_.WriteParameter(parameter, source); }

private:
    Device& device_;
    DescBranch* const& root_;
};

}  // namespace vantor::cli
