#include "cli/request_arguments.h"

#include "protocol/frame.h"

namespace vantor::cli {

void RequestArguments::addTo(cmdline::Scanner& scanner) {
    scanner.number("--addr", 0, kHighestAddress, [this](int value) { address = value; });
    scanner.value("--alen", [this](const std::string& value) {
        const bool good = value == "8" || value == "11";
        if (good) addressLength = value == "11" ? 11 : 8;
        return good ? std::string() : "--alen must be 8 or 11";
    });
    scanner.value("--data", [this](const std::string& value) {
        data = cmdline::parseHexBytes(value);
        return data ? std::string() : "not hex bytes: '" + value + "'";
    });
    scanner.number("--index", 0, 0xFFFF, [this](int value) { index = value; });
    scanner.flag("--read", [this] { read = true; });
}

std::string RequestArguments::finish(const std::vector<std::string>& words) {
    if (words.empty()) return "no parameter name given";
    if (words.size() > 1) return "more than one name: '" + words[0] + "' and '" + words[1] + "'";
    name = words[0];
    if (read && data) return "--read and --data exclude each other";
    if (payload().size() > kMaxFrameData)
        return "at most " + std::to_string(kMaxFrameData) + " data bytes fit in a frame";
    return addressProblem(address, addressLength);
}

std::vector<std::uint8_t> RequestArguments::payload() const {
    std::vector<std::uint8_t> bytes = data.value_or(std::vector<std::uint8_t>{});
    if (index) {
        bytes.push_back(static_cast<std::uint8_t>(*index >> 8));
        bytes.push_back(static_cast<std::uint8_t>(*index & 0xFF));
    }
    return bytes;
}

std::string addressProblem(int address, int addressLength) {
    const int highest = highestAddress(addressLength);
    if (address >= 0 && address <= highest) return {};
    return "address " + std::to_string(address) + " is outside 0.." + std::to_string(highest);
}

}  // namespace vantor::cli
