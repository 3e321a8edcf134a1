#pragma once
// The state values a module keeps moving while it runs: counters count, analog
// readings drift around their starting value, status bits take turns. Everything is a
// function of the clock, so a test that sets the clock knows what the module answers.

#include <cstdint>

#include "params/converter.h"
#include "sim/parameter_table.h"

namespace vantor::sim {

enum class StateKind { Fixed, Counter, Analog, Bits };

// How a parameter that changes over time moves (Fixed for the ones that do not).
StateKind stateKind(const ModuleParameter& parameter);

// The bytes the module answers for the parameter at clock time `now`.
Bytes stateValue(const ModuleParameter& parameter, std::int64_t now, int model);

// The bytes of a number in the parameter's type, as the module stores it.
Bytes encodeNumber(const ModuleParameter& parameter, double number);

}  // namespace vantor::sim
