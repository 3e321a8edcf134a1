#include "document/frame_trace.h"

#include <cstdio>

#include "link/device_io.h"
#include "platform/string_utils.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "text/texts.h"

namespace vantor {

namespace {

constexpr std::size_t kIndexBytes = 2;
// "JuRD" replies carry three bytes after the value that are not decoded.
constexpr std::size_t kJournalTrailer = 3;

// Names the protocol itself uses, described or not; a description's entry wins.
struct ProtocolName {
    const char* name;
    const char* type;
};
const ProtocolName kProtocolNames[] = {
    {"n.Err", ""}, {"M.s.t.r.", ""}, {"APLY", ""}, {"dev", "string"}, {"ver", "string"}, {"tdev", ""},
};

std::string hexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char byte[4];
    for (const std::uint8_t b : bytes) {
        std::snprintf(byte, sizeof byte, text.empty() ? "%02X" : " %02X", b);
        text += byte;
    }
    return text;
}

// Characters as they came, control and non-ASCII characters escaped.
std::string escapedCharacters(const std::string& characters) {
    std::string text;
    char escaped[5];
    for (const char c : characters) {
        const auto code = static_cast<unsigned char>(c);
        if (c == kFrameEnd) {
            text += "\\r";
        } else if (code >= 32 && code < 127 && c != '\\') {
            text += c;
        } else {
            std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
            text += escaped;
        }
    }
    return text;
}

std::string outcomeText(const FrameRecord& record) {
    switch (record.outcome) {
    case FrameOutcome::Ok: return record.direction == FrameDirection::Sent ? "" : Text("IDS_TRACE_OK");
    case FrameOutcome::Timeout: return Text("IDS_NOCARRIER");
    case FrameOutcome::LineError: return Text("IDS_TRACE_LINE_ERROR");
    case FrameOutcome::Disconnected: return Text("IDS_TRACE_DISCONNECTED");
    case FrameOutcome::Failed: return Text("IDS_STRING224");
    case FrameOutcome::NoHeader: return Text("IDS_STRING454");
    case FrameOutcome::ChecksumError: return Text("IDS_STRING456");
    case FrameOutcome::OtherHash: return Text("IDS_STRING457");
    case FrameOutcome::DeviceError: return DeviceErrorMessage(record.deviceErrorCode);
    }
    return {};
}

std::string kindText(const FrameRecord& record) {
    if (record.direction == FrameDirection::Received) return Text("IDS_TRACE_REPLY");
    return Text(record.frame->requestBit ? "IDS_TRACE_READ" : "IDS_TRACE_WRITE");
}

}  // namespace

FrameTrace::FrameTrace(const TreeDescription& description, const CodecContext& context)
    : description_(description), context_(context), origin_(std::chrono::steady_clock::now()) {}

void FrameTrace::learnNames() const {
    if (namesLearnt_ && namesOf_ == description_.rootBranch) return;
    names_.clear();
    // The built trees know each parameter's codec type and whether it is indexed.
    const std::function<void(const DescBranch&)> learnBranch = [&](const DescBranch& branch) {
        branch.ForEachMember(
            [&](Parameter& p) {
                names_.emplace(hash_name(p.name), Described{p.name, p.type, p.indexed != 0});
            },
            [&](DescBranch& sub) { learnBranch(sub); });
    };
    for (const DescBranch* tree : {description_.rootBranch, description_.scannersBranch})
        if (tree) learnBranch(*tree);
    for (const DescParameter& entry : description_.descriptionParameters) {
        const std::string name = !entry.name.empty() && entry.name.front() == '!' ? entry.name.substr(1) : entry.name;
        names_.emplace(hash_name(name), Described{name, "", false});
    }
    for (const ProtocolName& known : kProtocolNames)
        names_.emplace(hash_name(known.name), Described{known.name, known.type, false});
    namesOf_ = description_.rootBranch;
    namesLearnt_ = true;
}

const FrameTrace::Described* FrameTrace::described(std::uint16_t hash) const {
    learnNames();
    const auto found = names_.find(hash);
    return found == names_.end() ? nullptr : &found->second;
}

std::string FrameTrace::decodedValue(const Described& parameter, const TappedFrame& frame, bool reply) const {
    std::size_t length = frame.data.size();
    if (parameter.indexed) length -= std::min(length, kIndexBytes);
    if (reply && equalsIgnoringCase(parameter.name, "JuRD")) length -= std::min(length, kJournalTrailer);
    if (parameter.type.empty() || length == 0) return {};
    MyConverter converter(parameter.name);
    converter.type = parameter.type;
    std::string text;
    if (converter.ConvertFromData(frame.data.data(), static_cast<int>(length), text, context_) != kConvertOk) return {};
    return text;
}

FrameTraceFields FrameTrace::fields(const FrameRecord& record) const {
    FrameTraceFields fields;
    char time[32];
    std::snprintf(time, sizeof time, "%.3f", std::chrono::duration<double, std::milli>(record.time - origin_).count());
    fields.time = time;
    fields.direction = record.direction == FrameDirection::Sent ? "->" : "<-";
    fields.outcome = outcomeText(record);
    if (!record.frame) {
        fields.data = escapedCharacters(record.characters);
        return fields;
    }
    const TappedFrame& frame = *record.frame;
    fields.address = std::to_string(frame.address);
    fields.kind = kindText(record);
    fields.data = hexBytes(frame.data);
    const Described* parameter = described(frame.hash);
    if (!parameter) {
        char hash[8];
        std::snprintf(hash, sizeof hash, "0x%04X", frame.hash);
        fields.name = hash;
        return fields;
    }
    fields.name = parameter->name;
    if (parameter->indexed && frame.data.size() >= kIndexBytes) {
        const std::size_t at = frame.data.size() - kIndexBytes;
        fields.name += ":" + std::to_string(frame.data[at] << 8 | frame.data[at + 1]);
    }
    // A read request carries no value, and a reply that is not the parameter's has none.
    const bool carriesValue =
        record.direction == FrameDirection::Sent ? !frame.requestBit : record.outcome == FrameOutcome::Ok;
    if (carriesValue) fields.value = decodedValue(*parameter, frame, record.direction == FrameDirection::Received);
    return fields;
}

std::string FrameTrace::line(const FrameRecord& record) const { return line(fields(record)); }

std::string FrameTrace::line(const FrameTraceFields& fields) {
    char head[96];
    std::snprintf(head, sizeof head, "%10s ms  %s  %4s  %-10s  %-5s", fields.time.c_str(), fields.direction.c_str(),
                  fields.address.c_str(), fields.name.c_str(), fields.kind.c_str());
    std::string text = head;
    for (const std::string& tail : {fields.data, fields.value.empty() ? "" : "= " + fields.value, fields.outcome})
        if (!tail.empty()) text += "  " + tail;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace vantor
