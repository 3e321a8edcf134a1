#include "cmdline/scanner.h"

#include <algorithm>

namespace vantor::cmdline {

std::string Scanner::scan(const Arguments& args, std::vector<std::string>& words) const {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() <= 2 || arg.compare(0, 2, "--") != 0) {
            if (!optionsEnded && arg == "--")
                optionsEnded = true;
            else
                words.push_back(arg);
            continue;
        }
        if (const auto flag = flags_.find(arg); flag != flags_.end()) {
            flag->second();
        } else if (const auto value = values_.find(arg); value != values_.end()) {
            if (i + 1 == args.size()) return arg + " needs a value";
            if (std::string error = value->second(args[++i]); !error.empty()) return error;
        } else {
            return "unknown option '" + arg + "'";
        }
    }
    return {};
}

bool asksForHelp(const Arguments& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

}  // namespace vantor::cmdline
