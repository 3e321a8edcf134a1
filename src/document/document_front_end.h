#pragma once
// What the configuration document needs of the program that shows it, beyond the
// messages and switches of UserInterface: the modal dialogs its commands run through
// and the views that show its tree. The desktop program implements it with windows,
// vantorctl on the terminal, tests with scripted answers.

#include <optional>

#include "device/operation_code.h"
#include "models/model_facts.h"

namespace vantor {

class Device;

class DocumentFrontEnd {
public:
    virtual ~DocumentFrontEnd() = default;

    // The wait dialog of `code`: shown while the task just handed to `device` runs,
    // its Cancel calls device.CancelTask(). Returns once the task has ended, with its
    // outcome; none when the dialog could not be shown.
    virtual std::optional<TaskOutcome> RunWaitDialog(OperationCode code, Device& device) = 0;
    // A task the wait dialog ran has ended with `outcome`: the desktop program keeps it
    // in the status bar and, when a parameter failed, shows the first troubled row.
    virtual void TaskEnded(const TaskOutcome& /*outcome*/) {}
    // The connection dialog in start-up mode, after the first connection check failed:
    // true when the person left it with Exit.
    virtual bool RunStartupConnectionDialog() { return false; }
    // The new network settings dialog, which sends APLY itself: true when it ended with
    // OK and "Change network settings of Configurator" checked.
    virtual bool RunApplyDialog() { return false; }
    // The start-up banner goes before a dialog of the start-up shows.
    virtual void CloseSplash() {}
    // The views show the tree's values, marks and errors anew.
    virtual void UpdateAllViews() {}
    // The tree is about to be destroyed: the views drop every row that refers to it.
    virtual void DropRows() {}
    // Posts the main window's "Read configuration from device" command.
    virtual void PostReadAll() {}
    // The calibration procedure of `kind` for the document's module; returns once it
    // has ended. Without windows there is none.
    virtual void RunCalibration(Calibration /*kind*/) {}
};

}  // namespace vantor
