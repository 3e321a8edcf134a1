#pragma once
// A main-menu entry a device model adds when its view is filled; the main frame builds
// the item and redraws the menu bar.

#include <string>

namespace vantor {

constexpr int kToolsSubmenu = 3;            // the fourth submenu of the main menu
constexpr int kCalibrationCommand = 32824;  // "Calibration..."
constexpr int kTareWeightCommand = 111;

struct MenuInsertion {
    int submenu = kToolsSubmenu;
    int beforeCommand = 0;  // the new item goes in front of this one
    int command = 0;
    std::string text;
    bool operator==(const MenuInsertion&) const = default;
};

}  // namespace vantor
