#include "protocol/device_errors.h"

#include <array>
#include <utility>

namespace vantor {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 37> kErrorKeys{{
    {0x00, "IDS_STRING225"}, {0x02, "IDS_STRING226"}, {0x03, "IDS_STRING227"}, {0x04, "IDS_STRING228"},
    {0x05, "IDS_STRING229"}, {0x06, "IDS_STRING230"}, {0x07, "IDS_STRING231"}, {0x08, "IDS_STRING232"},
    {0x21, "IDS_STRING233"}, {0x22, "IDS_STRING234"}, {0x23, "IDS_STRING235"}, {0x24, "IDS_STRING236"},
    {0x25, "IDS_STRING237"}, {0x26, "IDS_STRING238"}, {0x27, "IDS_STRING239"}, {0x28, "IDS_STRING240"},
    {0x29, "IDS_STRING614"}, {0x30, "IDS_STRING245"}, {0x31, "IDS_STRING241"}, {0x32, "IDS_STRING242"},
    {0x33, "IDS_STRING243"}, {0x34, "IDS_STRING244"}, {0x35, "IDS_STRING246"}, {0x36, "IDS_STRING246"},
    {0x37, "IDS_STRING868"}, {0x38, "IDS_STRING248"}, {0x41, "IDS_STRING250"}, {0x42, "IDS_STRING251"},
    {0x43, "IDS_STRING252"}, {0x44, "IDS_STRING869"}, {0x45, "IDS_STRING870"}, {0x46, "IDS_STRING871"},
    {0x47, "IDS_STRING253"}, {0x48, "IDS_STRING254"}, {0x49, "IDS_STRING872"}, {0x4A, "IDS_STRING873"},
    {0x4B, "IDS_STRING874"},
}};

constexpr int kFirstLevelCode = 0x39;  // level 1; 0x38 is the root level with its own text
constexpr int kLastLevelCode = 0x3F;

}  // namespace

DeviceErrorKey deviceErrorKey(int code) {
    if (code >= kFirstLevelCode && code <= kLastLevelCode) return {"IDS_STRING249", code - (kFirstLevelCode - 1), true};
    for (const auto& [value, key] : kErrorKeys)
        if (value == code) return {key, 0, true};
    return {"IDS_STRING255", 0, false};
}

}  // namespace vantor
