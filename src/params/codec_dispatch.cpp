#include "params/converter.h"

namespace vantor {

// Placeholder until the type codecs land in the next commit.
int MyConverter::ConvertToData(const std::string&, Bytes& data, std::string*) const {
    data.clear();
    return kConvertImpossible;
}

int MyConverter::ConvertFromData(const std::uint8_t*, int, std::string&) {
    return kConvertImpossible;
}

}  // namespace vantor
