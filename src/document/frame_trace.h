#pragma once
// The frames a tap records, put into words for the person: the parameter name looked up
// from the hash in the loaded description (the hash itself when it is not described),
// the value decoded where the parameter's type is known, and what became of the frame.
// The frame traffic monitor shows the fields in columns, `vantorctl --trace` the line.

#include <chrono>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "description/tree_description.h"
#include "link/frame_tap.h"
#include "params/converter.h"

namespace vantor {

struct FrameTraceFields {
    std::string time;       // milliseconds since the trace began, "12.345"
    std::string direction;  // "->" sent, "<-" received
    std::string address;    // empty when the frame did not parse
    std::string name;       // "Addr", "CHAr:2" with the data index, "0x9F62" when not described
    std::string kind;       // read or write request, reply
    std::string data;       // "00 10"; the characters themselves when the frame did not parse
    std::string value;      // the decoded value, empty when there is none to show
    std::string outcome;    // empty for a frame that went out or came back fine
};

class FrameTrace {
public:
    // Names come from `description` as it is when a frame is described (a new document
    // brings new names), values decode with `context`; both outlive the trace. Time
    // stamps count from now.
    FrameTrace(const TreeDescription& description, const CodecContext& context);

    FrameTraceFields fields(const FrameRecord& record) const;
    // The fields in one line: "     1.250 ms  <-    16  Addr        reply  00 10  = 16".
    std::string line(const FrameRecord& record) const;
    static std::string line(const FrameTraceFields& fields);

private:
    struct Described {
        std::string name;
        std::string type;  // empty: the value is not decoded
        bool indexed = false;
    };
    const Described* described(std::uint16_t hash) const;
    std::string decodedValue(const Described& parameter, const TappedFrame& frame, bool reply) const;
    void learnNames() const;

    const TreeDescription& description_;
    const CodecContext& context_;
    std::chrono::steady_clock::time_point origin_;
    // The names of the description last seen, by hash; remade when the tree changes.
    mutable std::unordered_map<std::uint16_t, Described> names_;
    mutable const DescBranch* namesOf_ = nullptr;
    mutable bool namesLearnt_ = false;
};

}  // namespace vantor
