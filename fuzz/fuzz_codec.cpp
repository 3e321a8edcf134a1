// Decodes arbitrary reply bytes as every kind of value: the first byte picks the type
// and name and whether the model has reading forms, the rest is the reply.

#include <cstddef>
#include <cstdint>
#include <string>

#include "params/converter.h"

namespace {

struct Kind {
    const char* type;
    const char* name;
};

constexpr Kind kKinds[] = {
    {"STORED_DOT", "x"}, {"float", "x"},  {"float", "r.oe"}, {"int", "x"},      {"int16", "x"},
    {"sint", "x"},       {"sint16", "x"}, {"CLK_frm", "x"},  {"string", "x"},   {"ASCII", "x"},
    {"name", "x"},       {"void", "x"},   {"off:on", "x"},   {"int", "bPS"},    {"int", "PrtY"},
    {"int", "Sbit"},     {"int", "Addr"}, {"string", "dev"}, {"string", "ver"}, {"float", "rEAd"},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Kind& kind = kKinds[data[0] % (sizeof kKinds / sizeof kKinds[0])];
    vantor::MyConverter converter(kind.name);
    converter.type = kind.type;
    vantor::CodecContext context;
    context.readingForms = data[0] & 0x80;
    const vantor::Bytes reply(data + 1, data + size);
    std::string text;
    converter.ConvertFromData(reply, text, context);
    // What decoded must also survive the way back.
    vantor::Bytes written;
    converter.ConvertToData(text, written);
    return 0;
}
