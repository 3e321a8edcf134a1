#include "sim/state_file.h"

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "description/catalogue.h"
#include "params/type_names.h"
#include "platform/file_access.h"
#include "protocol/frame.h"
#include "sim/network_parameters.h"

namespace vantor::sim {
namespace {

using nlohmann::json;

std::string hex(const Bytes& bytes) {
    std::string text;
    char pair[3];
    for (auto byte : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        text += pair;
    }
    return text;
}

bool fromHex(const std::string& text, Bytes& bytes) {
    if (text.size() % 2) return false;
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        if (std::sscanf(text.substr(i, 2).c_str(), "%2x", &value) != 1) return false;
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return true;
}

bool isIdentity(const ModuleParameter& parameter) {
    return equalsIgnoringCase(parameter.name, "dev") || equalsIgnoringCase(parameter.name, "ver") ||
           equalsIgnoringCase(parameter.name, "tdev");
}

json settingsJson(const NetworkSettings& settings) {
    return {{"address", settings.address},        {"alen", settings.addressLength},
            {"baud", settings.line.baud},         {"parity", parityName(settings.line.parity)},
            {"dataBits", settings.line.dataBits}, {"stopBits", settings.line.stopBits}};
}

NetworkSettings settingsFrom(const json& object) {
    NetworkSettings settings;
    settings.address = object.at("address").get<int>();
    settings.addressLength = object.at("alen").get<int>() == 11 ? 11 : 8;
    settings.line.baud = object.at("baud").get<int>();
    settings.line.parity = parseParity(object.at("parity").get<std::string>()).value_or(Parity::None);
    settings.line.dataBits = object.at("dataBits").get<int>();
    settings.line.stopBits = object.at("stopBits").get<int>();
    std::string error;
    if (!checkSettings(settings, error)) throw std::runtime_error(error);
    return settings;
}

// What is not set is left out, so that a person editing the file sees only the knobs
// turned.
json calibrationJson(const CalibrationSettings& settings, const CalibrationStore& store) {
    json object = {{"busy", settings.busyReads}};
    if (settings.signalPercent) object["signal"] = *settings.signalPercent;
    if (settings.failNextJob) object["fail"] = *settings.failNextJob;
    if (settings.hangNextJob) object["hang"] = true;
    if (settings.slope) object["slope"] = *settings.slope;
    if (settings.invalidCoefficient) object["invalid"] = *settings.invalidCoefficient;
    if (!store.empty()) object["stored"] = store;
    return object;
}

void loadCalibration(const json& object, SavedState& state) {
    CalibrationSettings& settings = state.calibration;
    settings.busyReads = object.value("busy", settings.busyReads);
    if (settings.busyReads < 0) throw std::runtime_error("calibration: busy must not be negative");
    if (object.contains("signal")) settings.signalPercent = object.at("signal").get<double>();
    if (object.contains("fail")) settings.failNextJob = object.at("fail").get<int>();
    settings.hangNextJob = object.value("hang", false);
    if (object.contains("slope")) settings.slope = object.at("slope").get<double>();
    if (object.contains("invalid")) settings.invalidCoefficient = object.at("invalid").get<int>();
    state.calibrationStore = object.value("stored", CalibrationStore{});
}

void loadParameter(const json& entry, ParameterTable& table) {
    const std::string name = entry.at("name").get<std::string>();
    const int offset = entry.value("offset", 0);
    std::optional<int> index;
    if (entry.contains("index")) index = entry.at("index").get<int>();
    ModuleParameter* parameter = table.find(name, index, offset);
    if (!parameter || isIdentity(*parameter)) return;
    Bytes bytes;
    if (entry.contains("data") && fromHex(entry.at("data").get<std::string>(), bytes)) {
        // The value must fit a reply frame, with the index echoed after it.
        if (bytes.size() + (parameter->indexed ? 2 : 0) > kMaxFrameData)
            throw std::runtime_error(name + ": " + std::to_string(bytes.size()) + " data bytes do not fit a reply");
        parameter->value = bytes;
    } else if (entry.contains("value")) {
        MyConverter codec(parameter->name);
        codec.type = parameter->type;
        codec.decimalPlaces = parameter->decimalPlaces;
        if (codec.ConvertToData(entry.at("value").get<std::string>(), bytes) == kConvertOk) parameter->value = bytes;
    }
    if (entry.contains("attributes"))
        parameter->attributes = static_cast<std::uint8_t>(entry.at("attributes").get<int>() & 0x03);
}

}  // namespace

bool loadState(const std::string& path, SavedState& state, std::string& error) {
    std::error_code code;
    if (!std::filesystem::exists(path, code) && !code) return true;
    std::string text, reason;
    if (!readFile(path, text, reason)) {
        error = "cannot read " + path + ": " + reason;
        return false;
    }
    try {
        const json document = json::parse(text);
        if (document.contains("settings")) {
            state.settings = settingsFrom(document.at("settings"));
            state.hasSettings = true;
        }
        for (const json& entry : document.value("parameters", json::array())) loadParameter(entry, state.table);
        if (document.contains("calibration")) loadCalibration(document.at("calibration"), state);
    } catch (const std::exception& e) {  // json's own errors and values no module holds
        error = path + ": " + e.what();
        return false;
    }
    return true;
}

bool saveState(const std::string& path, const VirtualModule& module, std::string& error) {
    json parameters = json::array();
    for (const ModuleParameter& parameter : module.parameters().all()) {
        if (isIdentity(parameter)) continue;
        json entry = {{"name", parameter.name}};
        if (parameter.indexed) entry["index"] = parameter.dataIndex;
        if (parameter.addressOffset) entry["offset"] = parameter.addressOffset;
        entry["data"] = hex(parameter.value);
        MyConverter codec(parameter.name);
        codec.type = parameter.type;
        std::string text;
        if (!parameter.value.empty() && codec.ConvertFromData(parameter.value, text) == kConvertOk)
            entry["value"] = text;
        if (parameter.hasAttributes) entry["attributes"] = parameter.attributes;
        parameters.push_back(std::move(entry));
    }
    const json document = {{"model", modelDisplayName(module.model())},
                           {"settings", settingsJson(module.settings())},
                           {"parameters", std::move(parameters)},
                           {"calibration", calibrationJson(module.calibration(), module.calibrationStore())}};
    std::string reason;
    // A text value that is no valid UTF-8 is written with replacement characters.
    const std::string text = document.dump(1, ' ', false, json::error_handler_t::replace) + '\n';
    if (saveFileAtomically(path, text, reason)) return true;
    error = "cannot write " + path + ": " + reason;
    return false;
}

}  // namespace vantor::sim
