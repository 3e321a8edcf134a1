#include "sim/calibration_settings.h"

#include <string_view>

#include "cmdline/numbers.h"

namespace vantor::sim {
namespace {

constexpr int kMostBusyReads = 1000;
constexpr int kHighestFailure = 0xFFFF;
constexpr double kWidestSignal = 1000;  // percent either way
constexpr double kSteepestSlope = 10;
constexpr int kHighestCoefficient = 255;

}  // namespace

bool addCalibrationItem(const std::string& item, CalibrationSettings& settings, std::string& error) {
    const auto equals = item.find('=');
    const std::string key = item.substr(0, equals);
    const std::string_view number =
        equals == std::string::npos ? std::string_view() : std::string_view(item).substr(equals + 1);
    const bool valued = equals != std::string::npos;
    if (key == "hang" && !valued) {
        settings.hangNextJob = true;
        return true;
    }
    if (key == "signal" && valued)
        if (const auto percent = cmdline::parseReal(number, -kWidestSignal, kWidestSignal)) {
            settings.signalPercent = *percent;
            return true;
        }
    if (key == "slope" && valued)
        if (const auto slope = cmdline::parseReal(number, 0, kSteepestSlope)) {
            settings.slope = *slope;
            return true;
        }
    if (key == "fail" && valued)
        if (const auto code = cmdline::parseWhole(number, 0, kHighestFailure)) {
            settings.failNextJob = *code;
            return true;
        }
    if (key == "busy" && valued)
        if (const auto reads = cmdline::parseWhole(number, 0, kMostBusyReads)) {
            settings.busyReads = *reads;
            return true;
        }
    if (key == "invalid" && valued)
        if (const auto coefficient = cmdline::parseWhole(number, 0, kHighestCoefficient)) {
            settings.invalidCoefficient = *coefficient;
            return true;
        }
    error = "calibration '" + item + "': unknown kind or bad number (signal=-1000..1000, fail=0.." +
            std::to_string(kHighestFailure) + ", hang, busy=0.." + std::to_string(kMostBusyReads) +
            ", slope=0..10, invalid=0..255)";
    return false;
}

}  // namespace vantor::sim
