#include "cli/codec_arguments.h"

#include <algorithm>

namespace vantor::cli {

std::optional<CodecArguments> parseCodecArguments(const char* command, const Arguments& args, bool allowDecimals,
                                                  const char* usage) {
    CodecArguments parsed;
    bool typeGiven = false;
    cmdline::Scanner options;
    options.value("--type", [&](const std::string& value) {
        parsed.type = value;
        std::replace(parsed.type.begin(), parsed.type.end(), '_', ' ');
        typeGiven = true;
        return std::string();
    });
    options.value("--name", [&](const std::string& value) {
        parsed.name = value;
        return std::string();
    });
    if (allowDecimals) options.number("--decimals", 0, 3, [&](int decimals) { parsed.decimals = decimals; });
    std::string error = options.scan(args, parsed.words);
    if (error.empty() && !typeGiven) error = "--type is required";
    if (!error.empty()) {
        usageError(command, error, usage);
        return std::nullopt;
    }
    return parsed;
}

}  // namespace vantor::cli
