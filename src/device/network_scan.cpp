#include "device/network_scan.h"

#include "device/device.h"
#include "elements/object_with_parameters.h"
#include "params/module_baud_rates.h"
#include "text/texts.h"

namespace vantor {

namespace {

constexpr const char* kRateName = "bps";

// The elements of a choice list up to the first empty one.
std::vector<std::string> choices(const std::string& list) {
    std::vector<std::string> result;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = list.find(':', begin);
        std::string element = list.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        if (element.empty()) break;
        result.push_back(std::move(element));
        if (end == std::string::npos) break;
        begin = end + 1;
    }
    return result;
}

}  // namespace

NetworkScan::NetworkScan(Device& device, ObjectWithParameters& settings, StatusSink status)
    : device_(device), settings_(settings), status_(std::move(status)) {}

std::vector<std::string> NetworkScan::offeredRates() const {
    const Parameter* rate = settings_.FindParameter(kRateName);
    if (rate && rate->type.find(':') != std::string::npos) return choices(rate->type);
    return choices(moduleBaudRateList(":"));
}

bool NetworkScan::Connect() {
    status_(Text("IDS_STRING203"), false);
    bool portFailed = false;
    if (device_.CheckConnection(portFailed)) {
        status_(Text("IDS_STRING207"), false);
        return true;
    }
    if (!device_.cancelled()) status_(Text("IDS_STRING262"), true);
    return false;
}

bool NetworkScan::Scan() {
    Parameter* rate = settings_.FindParameter(kRateName);
    if (!rate) {
        if (!device_.cancelled()) status_(Text("IDS_STRING262"), true);
        return false;
    }
    const std::string before = rate->valueText;
    if (!device_.cancelled()) {
        for (const std::string& candidate : offeredRates()) {
            rate->SetValueText(candidate);
            status_(FormatText(Text("IDS_STRING264"), candidate), false);
            bool portFailed = false;
            if (device_.CheckConnection(portFailed)) {
                status_(Text("IDS_STRING207"), false);
                return true;
            }
            if (portFailed || device_.cancelled()) break;
        }
    }
    rate->SetValueText(before);
    if (!device_.cancelled()) status_(Text("IDS_STRING262"), true);
    return false;
}

}  // namespace vantor
