// Decodes arbitrary reply bytes as every kind of value: the first byte picks the type
// and name and whether the model has reading forms, the rest is the reply.

#include <cstddef>
#include <cstdint>
#include <string>

#include "codec_kinds.h"
#include "params/converter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantor::fuzz;
    if (size == 0) return 0;
    const CodecKind& kind = kCodecKinds[(data[0] & ~kReadingFormsBit) % kCodecKindCount];
    vantor::MyConverter converter(kind.name);
    converter.type = kind.type;
    vantor::CodecContext context;
    context.readingForms = data[0] & kReadingFormsBit;
    const vantor::Bytes reply(data + 1, data + size);
    std::string text;
    converter.ConvertFromData(reply, text, context);
    // What decoded must also survive the way back.
    vantor::Bytes written;
    converter.ConvertToData(text, written);
    return 0;
}
