#include "cli/request_arguments.h"

#include <limits>

namespace vantor::cli {

namespace {
constexpr std::size_t kMaxFrameData = 15;
}

void RequestArguments::addTo(Options& options) {
    options.value("--addr", [this](const std::string& value) {
        const auto number = parseInteger(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        if (number) address = static_cast<int>(*number);
        return number ? std::string() : "not a number for --addr: '" + value + "'";
    });
    options.value("--alen", [this](const std::string& value) {
        const bool good = value == "8" || value == "11";
        if (good) addressLength = value == "11" ? 11 : 8;
        return good ? std::string() : "--alen must be 8 or 11";
    });
    options.value("--data", [this](const std::string& value) {
        data = parseHexBytes(value);
        return data ? std::string() : "not hex bytes: '" + value + "'";
    });
    options.value("--index", [this](const std::string& value) {
        const auto number = parseInteger(value, 0, 0xFFFF);
        if (number) index = static_cast<int>(*number);
        return number ? std::string() : "--index must be 0..65535";
    });
    options.flag("--read", [this] { read = true; });
}

std::string RequestArguments::finish(const std::vector<std::string>& words) {
    if (words.empty()) return "no parameter name given";
    if (words.size() > 1) return "more than one name: '" + words[0] + "' and '" + words[1] + "'";
    name = words[0];
    if (read && data) return "--read and --data exclude each other";
    if (payload().size() > kMaxFrameData) return "at most 15 data bytes fit in a frame";
    return {};
}

std::vector<std::uint8_t> RequestArguments::payload() const {
    std::vector<std::uint8_t> bytes = data.value_or(std::vector<std::uint8_t>{});
    if (index) {
        bytes.push_back(static_cast<std::uint8_t>(*index >> 8));
        bytes.push_back(static_cast<std::uint8_t>(*index & 0xFF));
    }
    return bytes;
}

}  // namespace vantor::cli
