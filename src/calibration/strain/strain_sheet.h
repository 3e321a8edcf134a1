#pragma once
// The strain-gauge calibration of KQ-15 (one input) and KQ-16 (four inputs). Two paths
// share the first page: "factory" sets the bridge sensitivity and lets the module
// measure the reference voltage at both ends of its range; "user" takes two points of
// the person's own load (percent, units and the live signal) and writes the limits
// worked out from them.
//
// The sheet holds what the pages share: the channel, the sensitivity, the "Sens"
// parameters of the channels, the two points, and the live signal of the channel.

#include <map>
#include <string>

#include "calibration/framework/calibration_page.h"
#include "calibration/framework/my_sheet.h"
#include "models/strain_gauge_limits.h"

class QWidget;

namespace vantor {
class Parameter;
}

namespace vantor::gui {

namespace CalibrationTD {

class CSheetTD : public CmySheet {
    Q_OBJECT
public:
    // Collects the channels' "Sens" and adds the pages of both paths.
    explicit CSheetTD(CalibrationLink& link, QWidget* parent = nullptr);

    // The "Sens" parameters of the tree by data index: one per channel.
    const std::map<int, Parameter*>& sensitivities() const { return sensitivities_; }
    int channelCount() const { return static_cast<int>(sensitivities_.size()); }

    // The chosen input (0-based), -1 before the first page chose one.
    int channel() const { return channel_; }
    void setChannel(int channel) { channel_ = channel; }
    // The chosen index of the "Sens" type, -1 for none.
    int sensitivity() const { return sensitivity_; }
    void setSensitivity(int index) { sensitivity_ = index; }

    // The chosen channel's parameter `name` of the root or the scanners tree; null
    // when the tree has none.
    Parameter* channelParameter(const char* name) const;
    Parameter* channelScanner(const char* name) const;
    Parameter* channelSensitivity() const;
    // The status of the module (scanners tree).
    Parameter* moduleStatus() const;

    // A temporary record of a command or value the module takes for the chosen
    // channel: addressed as the channel's own parameters are.
    void prepareForChannel(Parameter& record, const char* name, const char* type, const std::string& value) const;

    // The two points of the user method: typed on its pages, the signal measured live.
    CalibrationPoint lower{0, 0, 0};
    CalibrationPoint higher{100, 0, 0};

    // Live readings of the channel's "Rd.fV", handed to the current page; a failed
    // read hands over no value.
    void startSignalReadings();
    void stopSignalReadings();

private:
    std::map<int, Parameter*> sensitivities_;
    int channel_ = -1;
    int sensitivity_ = -1;
};

// The sheet a page of this wizard is on.
inline CSheetTD& sheetOf(const CalibrationPage& page) { return static_cast<CSheetTD&>(page.sheet()); }

}  // namespace CalibrationTD
}  // namespace vantor::gui
