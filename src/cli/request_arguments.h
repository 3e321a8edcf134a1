#pragma once
// The request options "frame" and "raw" share: --addr, --alen, --read, --data, --index
// and the parameter NAME.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cmdline/scanner.h"

namespace vantor::cli {

struct RequestArguments {
    int address = 16;
    int addressLength = 8;
    bool read = false;
    std::optional<std::vector<std::uint8_t>> data;
    std::optional<int> index;
    std::string name;

    // Adds the request options to a command's scanner.
    void addTo(cmdline::Scanner& scanner);
    // Takes the NAME from the words and checks the whole request, the address against
    // the address length included; an empty text, else what is wrong.
    std::string finish(const std::vector<std::string>& words);
    // The request's data bytes: the --data bytes, then the index high byte first.
    std::vector<std::uint8_t> payload() const;
};

// "address N is outside 0..HIGHEST" when the address does not fit the address length.
std::string addressProblem(int address, int addressLength);

}  // namespace vantor::cli
