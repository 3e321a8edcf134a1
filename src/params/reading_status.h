#pragma once
// The one-byte status a module sends instead of a reading ("rEAd", "iRDt", "iRD").

#include <cstdint>
#include <string>

namespace vantor {

std::string readingStatusText(std::uint8_t status);

}  // namespace vantor
