#pragma once
// What loading a configuration file asks of the document it loads into: the tree
// rebuilt from the description before the stored values are poured in, and the device
// model's look at a loaded "Log" parameter.

#include <optional>

namespace vantor {

class DescBranch;
class Parameter;

class ConfigurationTarget {
public:
    virtual ~ConfigurationTarget() = default;
    // Stops the link's threads, clears the description and builds the tree anew for
    // `model` (the program switches to it) or, when none is given, for the current
    // model. The new root, or null when no tree could be built.
    virtual DescBranch* RebuildTree(std::optional<int> model) = 0;
    // A loaded parameter named "Log" (letter case ignored).
    virtual void OnLogParameter(Parameter& parameter) = 0;
};

}  // namespace vantor
