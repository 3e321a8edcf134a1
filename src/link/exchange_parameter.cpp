// ExchangeParameter: one parameter read or written, with its access attributes, its
// data index and the conversion of its value; the network name "CHAr*" as its four
// character elements.

#include "link/parameter_link.h"
#include "params/network_name.h"
#include "params/type_names.h"
#include "protocol/name_hash.h"
#include "text/format.h"
#include "text/texts.h"

namespace vantor {

namespace {

const std::uint16_t kHashAttributes = hash_name("M.s.t.r.");
constexpr int kNetworkNameElements = 4;
// "JuRD" replies carry three bytes after the value that are not decoded.
constexpr int kJournalTrailer = 3;
constexpr int kIndexBytes = 2;

void appendIndex(Bytes& data, int index) {
    data.push_back(static_cast<std::uint8_t>(index >> 8 & 0xFF));
    data.push_back(static_cast<std::uint8_t>(index & 0xFF));
}

// The report shows a byte as a character where it is one in any text encoding.
int shownCharacter(std::uint8_t byte) { return byte >= 32 && byte < 127 ? byte : '.'; }

void reportBytes(std::vector<std::string>& report, const char* key, const Bytes& bytes) {
    const std::string format = Text(key);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        report.push_back(
            FormatTextArgs(format, static_cast<int>(i), int{bytes[i]}, unsigned{bytes[i]}, shownCharacter(bytes[i])));
}

}  // namespace

bool ParameterLink::attributesSwitchOn() const { return ui_.option(OptionSwitch::SendAttributes); }

int ParameterLink::ExchangeParameter(int requestBit, Parameter* parameter, std::vector<std::string>* report) {
    if (!portUsable()) {
        if (parameter) parameter->errorText = Text("IDS_STRING458");
        return kExchangePortUnusable;
    }
    if (const ProtocolMode mode = protocolMode(); mode != ProtocolMode::Native) {
        Bytes reply;
        const int status = ExchangeForeign(NativeModeRequest(mode), reply);
        if (parameter) ForeignStatusText(status, parameter->errorText);
        return status;
    }
    if (!parameter) return kExchangePortUnusable;
    parameter->errorText.clear();
    if (equalsIgnoringCase(parameter->name, "CHAr*")) return exchangeNetworkName(requestBit, *parameter, report);
    return exchangeNative(requestBit, *parameter, report);
}

int ParameterLink::exchangeNative(int requestBit, Parameter& parameter, std::vector<std::string>* report) {
    const bool attributesDue = parameter.hasAttributes && attributesSwitchOn() && !parameter.SamplingPrepared();
    Bytes reply;
    if (const int result = exchangeOnWire(requestBit, parameter, attributesDue, "IDS_STRING459", report, reply))
        return result;

    int count = static_cast<int>(reply.size());
    if (equalsIgnoringCase(parameter.name, "JuRD")) count -= kJournalTrailer;
    if (parameter.indexed) count -= kIndexBytes;
    if (parameter.StoreFromData(reply.data(), std::max(count, 0), codecContext) == kConvertImpossible) {
        parameter.errorText = Text("IDS_NODECODING_ANSWER");
        parameter.valueText.clear();
        return kExchangeNotDecoded;
    }
    parameter.valueChanged = parameter.editableChanged = parameter.ownerChanged = 0;
    return 0;
}

int ParameterLink::exchangeOnWire(int requestBit, Parameter& parameter, bool attributesDue,
                                  const char* attributeLengthKey, std::vector<std::string>* report, Bytes& reply) {
    if (attributesDue)
        if (const int result = exchangeAttributes(requestBit, parameter, attributeLengthKey)) return result;

    Bytes data;
    if (requestBit == 0) {
        const int converted = parameter.ConvertToData(parameter.valueText, data);
        // Without a report the frame goes out with whatever data came out.
        if (report && converted == kConvertRejected) {
            report->push_back(FormatText(Text("IDS_STRING460"), parameter.name));
            return kExchangeNoSetter;
        }
        if (report && converted == kConvertImpossible) {
            report->push_back(Text("IDS_STRING461"));
            return kExchangeNotEncoded;
        }
        if (report && converted != kConvertOk) report->push_back(Text("IDS_STRING462"));
    }
    if (parameter.indexed) appendIndex(data, parameter.dataIndex);
    if (report) {
        report->push_back(FormatText(Text("IDS_STRING463"), static_cast<long long>(data.size())));
        reportBytes(*report, "IDS_STRING464", data);
    }
    // The module answers an indexed parameter with the index after the value.
    if (!ExchangeFrame(requestBit, hash_name(parameter.name), data, reply, parameter.errorText, parameter.addressOffset,
                       parameter.indexed ? kIndexBytes : 0))
        return kExchangeFrameFailed;
    if (report) {
        reportBytes(*report, "IDS_STRING465", reply);
        report->push_back(FormatText(Text("IDS_STRING466"), static_cast<long long>(reply.size())));
    }
    return 0;
}

int ParameterLink::exchangeAttributes(int requestBit, Parameter& parameter, const char* attributeLengthKey) {
    // Attributes are written only by those allowed to, and only along with a value.
    const int attributeBit = attributeWritingAllowed && requestBit == 0 ? 0 : 1;
    Bytes data;
    if (attributeBit == 0)
        data.push_back(static_cast<std::uint8_t>((parameter.manufacturerOwned ? 0 : 2) | (parameter.editable ? 1 : 0)));
    if (parameter.indexed) {
        data.push_back(0);
        data.push_back(static_cast<std::uint8_t>(parameter.dataIndex & 0xFF));
    }
    appendIndex(data, hash_name(parameter.name));

    // The reply: the attribute byte, then the index and hash the request named.
    const std::size_t named = attributeBit == 0 ? data.size() - 1 : data.size();
    Bytes reply;
    if (!ExchangeFrame(attributeBit, kHashAttributes, data, reply, parameter.errorText, parameter.addressOffset, named))
        return kExchangeAttributesFailed;
    if (reply.size() != (parameter.indexed ? 5u : 3u)) {
        parameter.errorText = Text(attributeLengthKey);
        return kExchangeAttributeLength;
    }
    parameter.editable = reply[0] & 0x01;
    parameter.manufacturerOwned = (reply[0] & 0x02) ? 0 : 1;
    parameter.editableChanged = parameter.ownerChanged = 0;
    return 0;
}

int ParameterLink::exchangeNetworkName(int requestBit, Parameter& parameter, std::vector<std::string>* report) {
    NetworkNameCodes codes{};
    if (requestBit == 0)
        if (const NetworkNameError error = encodeNetworkName(parameter.valueText, codes);
            error != NetworkNameError::None) {
            parameter.errorText = networkNameMessage(error);
            return kExchangeNotEncoded;
        }
    // The name is rebuilt from what the module answers for each character.
    parameter.valueText.clear();
    const bool attributesDue = attributesSwitchOn();
    for (int i = 0; i < kNetworkNameElements; ++i) {
        Parameter element("CHAr");
        element.type = "int";
        element.indexed = 1;
        element.dataIndex = parameter.dataIndex + i;
        element.addressOffset = parameter.addressOffset;
        element.editable = parameter.editable;
        element.manufacturerOwned = parameter.manufacturerOwned;
        if (requestBit == 0) element.valueText = std::to_string(codes[static_cast<std::size_t>(i)]);

        Bytes reply;
        const int result = exchangeOnWire(requestBit, element, attributesDue, "IDS_STRING470", report, reply);
        if (attributesDue && result != kExchangeAttributesFailed && result != kExchangeAttributeLength) {
            parameter.editable = element.editable;
            parameter.manufacturerOwned = element.manufacturerOwned;
        }
        if (result) {
            parameter.errorText = element.errorText;
            return result;
        }
        if (reply.size() <= static_cast<std::size_t>(kIndexBytes) ||
            !appendNetworkNameCharacter(reply[0], parameter.valueText)) {
            parameter.errorText = networkNameCodeMessage();
            return kExchangeNotDecoded;
        }
    }
    parameter.valueChanged = parameter.editableChanged = parameter.ownerChanged = 0;
    return 0;
}

}  // namespace vantor
