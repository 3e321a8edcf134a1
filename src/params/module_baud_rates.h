#pragma once
// The line speeds a module runs at: the values of its network setting "bPS".

#include <array>
#include <string>
#include <string_view>

namespace vantor {

// The rates, in the order of the "bPS" value 0..8.
inline constexpr std::array<int, 9> kModuleBaudRates = {2400, 4800, 9600, 14400, 19200, 28800, 38400, 57600, 115200};

// The rates written out in that order, joined by `separator`.
std::string moduleBaudRateList(std::string_view separator);

// Whether a module runs at `rate`.
bool isModuleBaudRate(long long rate);

}  // namespace vantor
