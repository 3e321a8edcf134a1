#include "sim/network_parameters.h"

#include <cstdlib>

#include "params/module_baud_rates.h"
#include "params/type_names.h"
#include "protocol/frame.h"
#include "sim/value_rules.h"

namespace vantor::sim {
namespace {

// The text the configurator's codec makes of the parameter's value ("11", "8", ...).
std::optional<int> decodedNumber(const ModuleParameter& parameter) {
    MyConverter codec(parameter.name);
    codec.type = parameter.type;
    std::string text;
    if (codec.ConvertFromData(parameter.value, text) != kConvertOk || text.empty()) return std::nullopt;
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str()) return std::nullopt;
    return static_cast<int>(number);
}

Bytes encodedNumber(const ModuleParameter& parameter, int number) {
    MyConverter codec(parameter.name);
    codec.type = parameter.type;
    Bytes bytes;
    if (codec.ConvertToData(std::to_string(number), bytes) != kConvertOk) return parameter.value;
    return bytes;
}

std::optional<unsigned> code(const ModuleParameter& parameter) {
    if (parameter.value.empty()) return std::nullopt;
    return parameter.value.back();
}

}  // namespace

NetworkSettings settingsFromParameters(const ParameterTable& table, const NetworkSettings& current) {
    NetworkSettings settings = current;
    if (auto* p = table.find("Addr"); p && !p->value.empty())
        settings.address = static_cast<int>(numericValue(*p, p->value));
    if (auto* p = table.find("A.Len"))
        if (auto bits = decodedNumber(*p)) settings.addressLength = *bits == 11 ? 11 : 8;
    if (auto* p = table.find("bPS"))
        if (auto c = code(*p); c && *c < kModuleBaudRates.size()) settings.line.baud = kModuleBaudRates[*c];
    if (auto* p = table.find("PrtY"))
        if (auto c = code(*p); c && *c <= 2) settings.line.parity = static_cast<Parity>(*c);
    if (auto* p = table.find("LEn"))
        if (auto bits = decodedNumber(*p); bits && *bits >= 5 && *bits <= 8) settings.line.dataBits = *bits;
    if (auto* p = table.find("Sbit"))
        if (auto c = code(*p); c && *c <= 1) settings.line.stopBits = static_cast<int>(*c) + 1;
    return settings;
}

void storeSettingsInParameters(ParameterTable& table, const NetworkSettings& settings) {
    if (auto* p = table.find("Addr"))
        p->value = {static_cast<std::uint8_t>(settings.address >> 8),
                    static_cast<std::uint8_t>(settings.address & 0xFF)};
    if (auto* p = table.find("A.Len")) p->value = encodedNumber(*p, settings.addressLength);
    if (auto* p = table.find("bPS"))
        for (std::size_t i = 0; i < kModuleBaudRates.size(); ++i)
            if (kModuleBaudRates[i] == settings.line.baud) p->value = {static_cast<std::uint8_t>(i)};
    if (auto* p = table.find("PrtY")) p->value = {static_cast<std::uint8_t>(settings.line.parity)};
    if (auto* p = table.find("LEn")) p->value = encodedNumber(*p, settings.line.dataBits);
    if (auto* p = table.find("Sbit")) p->value = {static_cast<std::uint8_t>(settings.line.stopBits - 1)};
}

bool checkSettings(const NetworkSettings& settings, std::string& error) {
    const int highest = highestAddress(settings.addressLength);
    if (settings.address < 0 || settings.address > highest) {
        error = "the address " + std::to_string(settings.address) + " does not fit " +
                std::to_string(settings.addressLength) + "-bit addressing (0 to " + std::to_string(highest) + ")";
    } else if (!isModuleBaudRate(settings.line.baud)) {
        error = "a module runs at " + moduleBaudRateList(", ") + " baud, not " + std::to_string(settings.line.baud);
    } else if (settings.line.dataBits != 7 && settings.line.dataBits != 8) {
        error = "a module takes 7 or 8 data bits, not " + std::to_string(settings.line.dataBits);
    } else if (settings.line.stopBits != 1 && settings.line.stopBits != 2) {
        error = "a module takes 1 or 2 stop bits, not " + std::to_string(settings.line.stopBits);
    } else {
        return true;
    }
    return false;
}

}  // namespace vantor::sim
