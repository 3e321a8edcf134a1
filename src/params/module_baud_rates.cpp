#include "params/module_baud_rates.h"

#include <algorithm>

namespace vantor {

std::string moduleBaudRateList(std::string_view separator) {
    std::string list;
    for (const int rate : kModuleBaudRates) {
        if (!list.empty()) list += separator;
        list += std::to_string(rate);
    }
    return list;
}

bool isModuleBaudRate(long long rate) {
    return std::find(kModuleBaudRates.begin(), kModuleBaudRates.end(), rate) != kModuleBaudRates.end();
}

}  // namespace vantor
