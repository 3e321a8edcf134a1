#pragma once
// The request options "frame" and "raw" share: --addr, --alen, --read, --data, --index
// and the parameter NAME.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"

namespace vantor::cli {

struct RequestArguments {
    int address = 16;
    int addressLength = 8;
    bool read = false;
    std::optional<std::vector<std::uint8_t>> data;
    std::optional<int> index;
    std::string name;

    // Adds the request options to a command's options.
    void addTo(Options& options);
    // Takes the NAME from the words and checks the whole request; an empty text, else
    // what is wrong.
    std::string finish(const std::vector<std::string>& words);
    // The request's data bytes: the --data bytes, then the index high byte first.
    std::vector<std::uint8_t> payload() const;
    // The highest address the address length reaches.
    int highestAddress() const { return addressLength == 11 ? 2047 : 255; }
};

}  // namespace vantor::cli
