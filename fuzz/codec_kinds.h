#pragma once
// The kinds of value the codec fuzzer decodes: the first input byte picks one (bit 7
// switches the reading forms on). The seed maker picks the same index for a reply of
// a shipped parameter.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vantor::fuzz {

struct CodecKind {
    const char* type;
    const char* name;  // "x" for any name
};

constexpr CodecKind kCodecKinds[] = {
    {"STORED_DOT", "x"}, {"float", "x"},  {"float", "r.oe"}, {"int", "x"},      {"int16", "x"},
    {"sint", "x"},       {"sint16", "x"}, {"CLK_frm", "x"},  {"string", "x"},   {"ASCII", "x"},
    {"name", "x"},       {"void", "x"},   {"off:on", "x"},   {"int", "bPS"},    {"int", "PrtY"},
    {"int", "Sbit"},     {"int", "Addr"}, {"string", "dev"}, {"string", "ver"}, {"float", "rEAd"},
};
constexpr std::size_t kCodecKindCount = sizeof kCodecKinds / sizeof kCodecKinds[0];
constexpr std::uint8_t kReadingFormsBit = 0x80;

}  // namespace vantor::fuzz
