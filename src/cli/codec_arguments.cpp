#include "cli/codec_arguments.h"

#include <algorithm>

#include "cli/options.h"

namespace vantor::cli {

std::optional<CodecArguments> parseCodecArguments(const char* command, const Arguments& args, bool allowDecimals,
                                                  const char* usage) {
    CodecArguments parsed;
    bool typeGiven = false;
    Options options;
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
    if (allowDecimals)
        options.value("--decimals", [&](const std::string& value) {
            const auto decimals = parseInteger(value, 0, 3);
            if (decimals) parsed.decimals = static_cast<int>(*decimals);
            return decimals ? std::string() : "--decimals takes 0, 1, 2 or 3";
        });
    std::string error = options.parse(args, parsed.words);
    if (error.empty() && !typeGiven) error = "--type is required";
    if (!error.empty()) {
        usageError(command, error, usage);
        return std::nullopt;
    }
    return parsed;
}

}  // namespace vantor::cli
