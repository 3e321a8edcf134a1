#pragma once
// The arguments shared by "encode" and "decode": --type TYPE, --name NAME,
// --decimals D (encode only) and the words that follow.

#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"

namespace vantor::cli {

struct CodecArguments {
    std::string type;  // "_" already turned into blanks, as descriptions do
    std::string name;
    int decimals = 0;
    std::vector<std::string> words;  // everything else, in order
};

// None (after printing the reason and `usage` to stderr) when an option lacks its
// value, an option is unknown or --type is missing. Words may start with '-' (negative
// numbers); "--" ends the options.
std::optional<CodecArguments> parseCodecArguments(const char* command, const Arguments& args, bool allowDecimals,
                                                  const char* usage);

}  // namespace vantor::cli
