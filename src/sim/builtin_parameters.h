#pragma once
// What every module has whatever its description lists: its identification ("dev",
// "ver", and "tdev" for the strain-gauge pair), its network settings and APLY.

#include <string>

#include "sim/parameter_table.h"

namespace vantor::sim {

// Adds the parameters the table lacks and gives "dev", "ver" and "tdev" the values of
// this model and firmware.
void addBuiltInParameters(ParameterTable& table, int model, const std::string& firmware);

// The bytes of a text as the module sends it: last character first.
Bytes reversedText(const std::string& text);

}  // namespace vantor::sim
