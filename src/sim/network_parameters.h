#pragma once
// The module's network settings as they sit in its parameters "Addr", "A.Len", "bPS",
// "PrtY", "LEn" and "Sbit" ("Rs.dL" is stored like any other value).

#include <string>

#include "sim/parameter_table.h"
#include "sim/virtual_module.h"

namespace vantor::sim {

// The settings the parameters hold; a setting whose parameter is missing or holds an
// unusable value keeps its value from `current`.
NetworkSettings settingsFromParameters(const ParameterTable& table, const NetworkSettings& current);

// Writes the settings into the parameters that exist.
void storeSettingsInParameters(ParameterTable& table, const NetworkSettings& settings);

// Whether a module can listen with the settings: an address its address length carries,
// a rate "bPS" offers, 7 or 8 data bits, 1 or 2 stop bits. False with the reason.
bool checkSettings(const NetworkSettings& settings, std::string& error);

}  // namespace vantor::sim
