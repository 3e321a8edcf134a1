#pragma once
// What the module accepts when a parameter is written: the number of data bytes its
// type takes and the range of the value.

#include <cstdint>

#include "params/converter.h"
#include "sim/parameter_table.h"

namespace vantor::sim {

// 0 when the module takes `value` for the parameter, else the n.Err code it answers.
std::uint8_t checkWrite(const ModuleParameter& parameter, const Bytes& value);

// The number a value's bytes stand for (whole numbers, fixed and floating point).
double numericValue(const ModuleParameter& parameter, const Bytes& value);

}  // namespace vantor::sim
