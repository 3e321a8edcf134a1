#pragma once
// The option scanner of the programs' command lines: "--name VALUE" options, "--name"
// switches, and the words in between (a word may start with '-', as a negative number
// does; "--" ends the options). Handlers run in the order the options come.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cmdline/numbers.h"

namespace vantor::cmdline {

using Arguments = std::vector<std::string>;

class Scanner {
public:
    // A handler answers an empty text when it took the value, else what is wrong.
    using ValueHandler = std::function<std::string(const std::string& value)>;

    void value(const std::string& name, ValueHandler handler) { values_[name] = std::move(handler); }
    void flag(const std::string& name, std::function<void()> handler) { flags_[name] = std::move(handler); }

    // A whole decimal number within [low, high], handed to `store`; anything else is
    // refused with a text that names the option and the range.
    template <std::integral T, typename Store>
    void number(const std::string& name, T low, T high, Store store) {
        value(name, [name, low, high, store](const std::string& text) {
            const std::optional<T> number = parseWhole<T>(text, low, high);
            if (!number) return rangeMessage(name, text, low, high);
            store(*number);
            return std::string();
        });
    }

    // Runs the handlers and collects the words; an empty text on success, else what
    // is wrong with the arguments.
    std::string scan(const Arguments& args, std::vector<std::string>& words) const;

private:
    std::map<std::string, ValueHandler> values_;
    std::map<std::string, std::function<void()>> flags_;
};

// True when an argument is "--help" or "-h".
bool asksForHelp(const Arguments& args);

}  // namespace vantor::cmdline
