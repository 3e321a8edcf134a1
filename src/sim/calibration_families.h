#pragma once
// The module families that calibrate, each in its own file, and the models by catalogue
// index that have them.

#include <memory>

#include "sim/calibration_firmware.h"

namespace vantor::sim {

enum CalibratedModel : int {
    kKq01 = 0,
    kKq02 = 1,
    kKq03 = 2,
    kKq08 = 7,
    kKq09 = 8,
    kKq13 = 12,
    kKq15 = 13,
    kKq16 = 14,
    kKq19 = 17,
    kKq20 = 18,
    kKq21 = 19,
    kKq22 = 20,
    kKq23 = 21,
    kKq24 = 22,
};

using FirmwarePointer = std::unique_ptr<CalibrationFirmware>;

FirmwarePointer offsetScaleCalibration(CalibrationSettings& settings, CalibrationStore& store);
FirmwarePointer phCalibration(CalibrationSettings& settings, CalibrationStore& store);
FirmwarePointer strainGaugeCalibration(CalibrationSettings& settings, CalibrationStore& store, int model);
FirmwarePointer inductanceCalibration(CalibrationSettings& settings, CalibrationStore& store);
FirmwarePointer meterCalibration(CalibrationSettings& settings, CalibrationStore& store, int model);
FirmwarePointer inputFunctionsCalibration(CalibrationSettings& settings, CalibrationStore& store);
FirmwarePointer outputCoefficientsCalibration(CalibrationSettings& settings, CalibrationStore& store);

}  // namespace vantor::sim
