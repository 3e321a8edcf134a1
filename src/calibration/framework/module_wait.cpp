#include "calibration/framework/module_wait.h"

#include <cerrno>
#include <cstdlib>

#include "calibration/framework/calibration_page.h"
#include "calibration/framework/my_sheet.h"

namespace vantor::gui {

ModuleWait::ModuleWait(CalibrationPage& page) : QObject(&page), page_(page) {
    clock_.setSingleShot(true);
    connect(&clock_, &QTimer::timeout, this, [this] {
        end();
        if (onTimeOut_) onTimeOut_();
    });
}

void ModuleWait::start(const std::string& busyText, std::vector<Parameter*> watched, int timeoutMs,
                       std::function<void(const Reading&)> onReading, std::function<void()> onTimeOut) {
    onTimeOut_ = std::move(onTimeOut);
    page_.showBusy(busyText);
    page_.sheet().link().startReadings(&page_, std::move(watched), std::move(onReading));
    clock_.start(timeoutMs);
}

void ModuleWait::end() {
    clock_.stop();
    page_.sheet().link().stopReadings();
    page_.hideBusy();
}

std::optional<std::uint32_t> statusWord(const std::string& text, int base) {
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const long long word = std::strtoll(begin, &end, base);
    if (end == begin || errno == ERANGE) return std::nullopt;
    return static_cast<std::uint32_t>(word);
}

std::optional<std::uint32_t> statusWord(const Reading& reading, int base) {
    if (reading.result != 0) return std::nullopt;
    return statusWord(reading.valueText, base);
}

}  // namespace vantor::gui
