#pragma once
// The message that tells why a typed text was not taken as a parameter's value.

#include <string>

namespace vantor {
class Parameter;
}

namespace vantor::gui {

// Where the text was typed: the tree's rows print the limits with six decimals
// stripped, the sampled rows without decimals.
enum class RefusalSource { TreeRow, SampledRow };

std::string ValueRefusalMessage(const Parameter& parameter, const std::string& text, RefusalSource source);

// A limit as "%f" (or "%.f") prints it, without trailing zeros and point: 100, 0.5.
std::string LimitText(double limit, RefusalSource source);

}  // namespace vantor::gui
