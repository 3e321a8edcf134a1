#include "cli/codec_arguments.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vantor::cli {

namespace {

std::optional<CodecArguments> usageError(const char* usage, const std::string& problem) {
    std::fprintf(stderr, "vantorctl: %s\n%s", problem.c_str(), usage);
    return std::nullopt;
}

bool parseDecimals(const std::string& text, int& decimals) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 0 || value > 3) return false;
    decimals = static_cast<int>(value);
    return true;
}

}  // namespace

std::optional<CodecArguments> parseCodecArguments(const Arguments& args, bool allowDecimals,
                                                  const char* usage) {
    CodecArguments parsed;
    bool typeGiven = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 2 && arg.compare(0, 2, "--") == 0;
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!isOption) {
            parsed.words.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size()) return usageError(usage, "option " + arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--type") {
            parsed.type = value;
            std::replace(parsed.type.begin(), parsed.type.end(), '_', ' ');
            typeGiven = true;
        } else if (arg == "--name") {
            parsed.name = value;
        } else if (arg == "--decimals" && allowDecimals) {
            if (!parseDecimals(value, parsed.decimals))
                return usageError(usage, "--decimals takes 0, 1, 2 or 3");
        } else {
            return usageError(usage, "unknown option " + arg);
        }
    }
    if (!typeGiven) return usageError(usage, "--type is required");
    return parsed;
}

}  // namespace vantor::cli
