#pragma once
// The option scanner every vantorctl command uses: "--name VALUE" options, "--name"
// switches, and the words in between (a word may start with '-', as a negative number
// does; "--" ends the options).

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"

namespace vantor::cli {

class Options {
public:
    // A handler answers an empty text when it took the value, else what is wrong.
    using ValueHandler = std::function<std::string(const std::string& value)>;

    void value(const std::string& name, ValueHandler handler) { values_[name] = std::move(handler); }
    void flag(const std::string& name, std::function<void()> handler) { flags_[name] = std::move(handler); }

    // Runs the handlers in order and collects the words; an empty text on success,
    // else what is wrong with the arguments.
    std::string parse(const Arguments& args, std::vector<std::string>& words) const;

private:
    std::map<std::string, ValueHandler> values_;
    std::map<std::string, std::function<void()>> flags_;
};

// Prints "vantorctl COMMAND: REASON" and the usage to stderr; the bad-usage status 2.
int usageError(const char* command, const std::string& reason, const char* usage);

// A whole decimal number within [low, high].
std::optional<long> parseInteger(const std::string& text, long low, long high);

// Hex byte pairs, blanks between the pairs optional ("00 10" or "0010").
std::optional<std::vector<std::uint8_t>> parseHexBytes(const std::string& text);

}  // namespace vantor::cli
