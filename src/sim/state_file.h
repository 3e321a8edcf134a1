#pragma once
// The module's configuration kept across runs in a JSON file: the network settings it
// listened with, every parameter's value and access attributes, and its calibration's
// settings and stored coefficients.

#include <string>

#include "sim/parameter_table.h"
#include "sim/virtual_module.h"

namespace vantor::sim {

struct SavedState {
    ParameterTable table;
    bool hasSettings = false;
    NetworkSettings settings{};
    CalibrationSettings calibration{};
    CalibrationStore calibrationStore{};
};

// Reads the file into the table's parameters (those it names; the rest keep their
// values), the settings and the calibration. A missing file is no error: the state
// starts fresh. False, with the reason, for a file that cannot be read or understood.
bool loadState(const std::string& path, SavedState& state, std::string& error);

// Replaces the file as a whole (saveFileAtomically): a crash while saving leaves the
// state of the last run. False, with the reason.
bool saveState(const std::string& path, const VirtualModule& module, std::string& error);

}  // namespace vantor::sim
