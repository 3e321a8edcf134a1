#pragma once
// What a device model asks of the document it belongs to: the two trees, the link to
// the module, the person, and the document's own commands that a model operation ends
// in. The document implements it and outlives its device model.

#include "models/model_facts.h"

namespace vantor {

class DescBranch;
class ModelExchange;
class UserInterface;

class ModelDocument {
public:
    virtual ~ModelDocument() = default;

    // The parameter tree shown in the view and the hidden tree of sampled state
    // parameters; null while none is built.
    virtual DescBranch* rootBranch() const = 0;
    virtual DescBranch* scannersBranch() const = 0;

    virtual ModelExchange& exchange() = 0;
    virtual UserInterface& ui() = 0;

    // The write-defaults task over `root` (every parameter with a configuration value
    // is written it), run through the wait dialog; true when the task ran.
    virtual bool RunWriteDefaults(DescBranch& root) = 0;
    // The link holds the highest access level (attribute writing allowed).
    virtual bool HoldsHighestAccessLevel() const = 0;
    // The INIT command with its question to the person.
    virtual void InitWithConfirmation() = 0;
    virtual void UpdateAllViews() = 0;
    // Posts the main window's "Read configuration from device" command.
    virtual void PostReadAll() = 0;
    // Runs the calibration procedure of `kind` and returns once it has ended.
    virtual void RunCalibrationProcedure(Calibration kind) = 0;
};

}  // namespace vantor
