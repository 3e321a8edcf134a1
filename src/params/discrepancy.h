#pragma once
// What a comparison notes on a configured parameter whose module counterpart differs:
// the module's value and ownership, "Device value '20.000', user = unknown". The note
// begins with the IDS_DISCREPANCY text, by which the views colour the row.

#include <string>

namespace vantor {

class Parameter;

std::string DiscrepancyText(const Parameter& module);

}  // namespace vantor
