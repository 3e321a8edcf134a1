#include "sim/virtual_module.h"

#include <algorithm>
#include <array>

#include "params/type_names.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "sim/builtin_parameters.h"
#include "sim/device_errors.h"
#include "sim/network_parameters.h"
#include "sim/state_values.h"
#include "sim/value_rules.h"

namespace vantor::sim {
namespace {

constexpr int kBroadcastAddress = 255;
const std::uint16_t kHashAttributes = hash_name("M.s.t.r.");
const std::uint16_t kHashInit = hash_name("INIT");
const std::uint16_t kHashDefaults = hash_name("S.Def");

ModuleReply deviceError(std::uint8_t code) { return {kHashDeviceError, {code}}; }

bool isCommand(const ModuleParameter& parameter) { return classifyType(parameter.type) == TypeKind::Void; }

}  // namespace

VirtualModule::VirtualModule(int model, ParameterTable table, NetworkSettings settings, const std::string& firmware,
                             const Clock& clock)
    : model_(model),
      table_(std::move(table)),
      active_(settings),
      clock_(clock),
      firmware_(calibrationFor(model, calibration_, calibrationStore_)) {
    addBuiltInParameters(table_, model, firmware);
    storeSettingsInParameters(table_, active_);
}

NetworkSettings VirtualModule::pendingSettings() const { return settingsFromParameters(table_, active_); }

std::optional<std::string> VirtualModule::answer(std::string_view frame) {
    ReceivedFrame received;
    // A damaged frame cannot be trusted to be ours: the module keeps quiet.
    if (ParseFrame(frame, received) != FrameCheck::Ok) return std::nullopt;
    const bool elevenBit = active_.addressLength == 11;
    if (!elevenBit && (received.controlByte & 0xE0)) return std::nullopt;

    ModuleRequest request{0, received.requestBit(), received.hash, received.data};
    const int address = received.address(active_.addressLength);
    if (address == kBroadcastAddress && active_.address != kBroadcastAddress) {
        broadcast(request);
        return std::nullopt;
    }
    request.addressOffset = address - active_.address;
    if (request.addressOffset < 0 || request.addressOffset > table_.maxAddressOffset()) return std::nullopt;

    const ModuleReply reply = handle(request);
    std::string characters = buildReply(request.addressOffset, reply);
    if (characters.empty()) return std::nullopt;  // more data than a frame carries
    // The reply still leaves with the old settings; the new ones hold from now on.
    if (applyAfterReply_) {
        applyAfterReply_ = false;
        active_ = pendingSettings();
    }
    return characters;
}

std::string VirtualModule::buildReply(int addressOffset, const ModuleReply& reply) const {
    FrameFields fields;
    fields.address = active_.address + addressOffset;
    fields.addressLength = active_.addressLength;
    fields.requestBit = false;
    fields.hash = reply.hash;
    fields.data = reply.data;
    return BuildFrame(fields).value_or(std::string());
}

void VirtualModule::broadcast(const ModuleRequest& request) {
    // A broadcast reaches every module at once: they act on it and none answers.
    if (request.read || !request.data.empty()) return;
    if (request.hash != kHashApply && request.hash != kHashInit) return;
    const auto commands = table_.named(request.hash, 0);
    const auto command = std::find_if(commands.begin(), commands.end(), [](auto* p) { return isCommand(*p); });
    if (command == commands.end()) return;
    runCommand(**command);
    applyAfterReply_ = false;
    active_ = pendingSettings();
}

std::array<ModuleHooks*, 2> VirtualModule::allHooks() const { return {hooks_.get(), firmware_.get()}; }

ModuleReply VirtualModule::handle(const ModuleRequest& request) {
    for (ModuleHooks* hooks : allHooks())
        if (hooks)
            if (auto reply = hooks->intercept(request, table_, clock_.millis())) return *reply;
    if (request.hash == kHashAttributes) return exchangeAttributes(request);
    return exchangeValue(request);
}

ModuleReply VirtualModule::exchangeAttributes(const ModuleRequest& request) {
    // Data: [attribute byte when writing] [0, low byte of the index when indexed] [hash].
    const std::size_t lead = request.read ? 0 : 1;
    if (request.data.size() != lead + 2 && request.data.size() != lead + 4) return deviceError(kErrDataLength);
    const Bytes address(request.data.begin() + static_cast<std::ptrdiff_t>(lead), request.data.end());
    const auto hash = static_cast<std::uint16_t>(address[address.size() - 2] << 8 | address.back());
    const int index = address.size() == 4 ? address[1] : -1;  // -1: not indexed

    const auto candidates = table_.named(hash, request.addressOffset);
    if (candidates.empty()) return deviceError(kErrUnknownName);
    const auto it = std::find_if(candidates.begin(), candidates.end(), [&](const ModuleParameter* p) {
        return index >= 0 ? p->indexed && (p->dataIndex & 0xFF) == index : !p->indexed;
    });
    if (it == candidates.end()) return deviceError(kErrAttributeIndex);
    ModuleParameter& parameter = **it;
    if (!parameter.hasAttributes) return deviceError(kErrNoAttributes);

    if (!request.read) {
        const std::uint8_t wanted = request.data[0] & (kAttrEditable | kAttrUserOwned);
        // Only the user's own parameters change, and only their editable bit: taking
        // one into the company's hands is not for the line.
        if (wanted != parameter.attributes) {
            if (!(parameter.attributes & kAttrUserOwned) || !(wanted & kAttrUserOwned))
                return deviceError(kErrAttributeChange);
            parameter.attributes = wanted;
        }
    }
    Bytes data{parameter.attributes};
    data.insert(data.end(), address.begin(), address.end());
    return {kHashAttributes, data};
}

ModuleReply VirtualModule::exchangeValue(const ModuleRequest& request) {
    const auto candidates = table_.named(request.hash, request.addressOffset);
    if (candidates.empty()) return deviceError(kErrUnknownName);
    const bool anyIndexed = std::any_of(candidates.begin(), candidates.end(), [](auto* p) { return p->indexed; });
    const auto plain = std::find_if(candidates.begin(), candidates.end(), [](auto* p) { return !p->indexed; });

    // Indexed parameters carry their index as the last two data bytes; a parameter
    // that exists both ways is taken indexed when the data ends in one of its indexes.
    ModuleParameter* parameter = nullptr;
    Bytes value = request.data;
    std::optional<int> index;
    if (anyIndexed && request.data.size() >= 2) {
        const int wanted = request.data[request.data.size() - 2] << 8 | request.data.back();
        for (auto* candidate : candidates)
            if (candidate->indexed && candidate->dataIndex == wanted) parameter = candidate;
        if (parameter) {
            index = wanted;
            value.resize(value.size() - 2);
        }
    }
    if (!parameter) {
        if (plain == candidates.end())
            return deviceError(anyIndexed && request.data.size() >= 2 ? kErrParameterIndex : kErrDataLength);
        parameter = *plain;
    }
    if (request.read && !value.empty()) return deviceError(kErrDataLength);

    const std::int64_t now = clock_.millis();
    if (!request.read) {
        if (isCommand(*parameter)) {
            if (!value.empty()) return deviceError(kErrDataLength);
            runCommand(*parameter);
        } else {
            if (parameter->readOnly) return deviceError(kErrReadOnly);
            if (parameter->hasAttributes && !(parameter->attributes & kAttrEditable))
                return deviceError(kErrAttributeReadOnly);
            if (const std::uint8_t code = checkWrite(*parameter, value)) return deviceError(code);
            parameter->value = value;
            parameter->writtenAt = now;
        }
        for (ModuleHooks* hooks : allHooks())
            if (hooks) hooks->written(*parameter, now);
    }
    Bytes data = isCommand(*parameter) ? Bytes{} : stateValue(*parameter, now, model_);
    if (index) {
        const Bytes echo = indexBytes(*index);
        data.insert(data.end(), echo.begin(), echo.end());
    }
    return {request.hash, data};
}

void VirtualModule::runCommand(const ModuleParameter& command) {
    if (command.hash == kHashApply) {
        applyAfterReply_ = true;
    } else if (command.hash == kHashInit) {
        // A restart: the values persist, the pending network settings take over.
        ++restarts_;
        applyAfterReply_ = true;
    } else if (command.hash == kHashDefaults) {
        table_.restoreDefaults();
    }
}

}  // namespace vantor::sim
