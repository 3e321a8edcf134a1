#pragma once
// The parameter table of a model, made from its description: every parameter of the
// parameter tree by data index, every sampled state parameter by address offset.

#include <optional>
#include <string>
#include <vector>

#include "description/description_values.h"

#include "sim/parameter_table.h"

namespace vantor {
class DescBranch;
}

namespace vantor::sim {

// Loads the model's description from the container at `descriptionFile` for the given
// firmware version ("MAJ.MIN") and makes its table. Nothing when the description
// cannot be loaded or says something is wrong; `error` then tells what.
std::optional<ParameterTable> tableFromDescription(int model, const std::string& descriptionFile,
                                                   const std::string& firmware, std::string& error);

// The table of two built trees (either may be null) and of the declared parameters
// that no branch holds.
ParameterTable tableFromTrees(const DescBranch* root, const DescBranch* scanners,
                              const std::vector<DescParameter>& declared = {});

}  // namespace vantor::sim
