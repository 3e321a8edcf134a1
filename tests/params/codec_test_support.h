#pragma once
// Small helpers for the codec tests: one conversion in each direction by type and name.

#include <string>
#include <utility>

#include "params/converter.h"

namespace vantor::test {

struct Decoded {
    int result;
    std::string text;
};

inline Decoded decode(const std::string& type, const std::string& name, const Bytes& data,
                      const CodecContext& context = {}) {
    MyConverter converter(name);
    converter.type = type;
    Decoded out{0, {}};
    out.result = converter.ConvertFromData(data, out.text, context);
    return out;
}

struct Encoded {
    int result;
    Bytes data;
    std::string reason;
};

inline Encoded encode(const std::string& type, const std::string& name, const std::string& text, int decimals = 0) {
    MyConverter converter(name);
    converter.type = type;
    converter.decimalPlaces = decimals;
    Encoded out{0, {}, {}};
    out.result = converter.ConvertToData(text, out.data, &out.reason);
    return out;
}

}  // namespace vantor::test
