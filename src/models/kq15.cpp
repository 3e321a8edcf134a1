#include "models/kq15.h"

#include "text/texts.h"

namespace vantor {

bool CKQ15::IsValidAddress(int address, const std::string& addressLength) const {
    const bool eightBit = address >= 1 && address <= 254;
    if (addressLength == "8") return eightBit;
    if (addressLength == "11") return eightBit || (address >= 256 && address <= 2036);
    return true;
}

std::vector<MenuInsertion> CKQ15::AdjustMenu() const {
    return {{kToolsSubmenu, kCalibrationCommand, kTareWeightCommand, Text("IDS_STRING288")}};
}

}  // namespace vantor
