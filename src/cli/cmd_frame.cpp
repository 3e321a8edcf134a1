#include <cstdio>
#include <string>

#include "cli/commands.h"
#include "cli/request_arguments.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"

namespace vantor::cli {

extern const char kFrameUsage[] =
    "usage: vantorctl frame [--addr N] [--alen 8|11] [--offset K] [--read | --data HEX]\n"
    "                       [--index I] NAME\n"
    "Prints the request frame for parameter NAME as it goes on the line, without the\n"
    "final carriage return.\n"
    "  --addr N     module address (default 16)\n"
    "  --alen 8|11  address bits on the wire (default 8)\n"
    "  --offset K   address offset (-1..2047) added to N; -1 sends to address 255\n"
    "  --read       read request without data (the default)\n"
    "  --data HEX   write request carrying these bytes, e.g. \"00 10\" or 0010\n"
    "  --index I    append the data index I (0..65535) as two bytes, high byte first\n";

int runFrame(const Arguments& args) {
    RequestArguments request;
    int offset = 0;
    cmdline::Scanner scanner;
    request.addTo(scanner);
    scanner.number("--offset", -1, kHighestAddress, [&](int value) { offset = value; });
    std::vector<std::string> words;
    std::string error = scanner.scan(args, words);
    if (error.empty()) error = request.finish(words);
    if (error.empty()) error = addressProblem(wireAddress(request.address, offset), request.addressLength);
    if (!error.empty()) return usageError("frame", error, kFrameUsage);

    FrameFields fields;
    fields.address = wireAddress(request.address, offset);
    fields.addressLength = request.addressLength;
    fields.requestBit = !request.data;
    fields.hash = hash_name(request.name);
    fields.data = request.payload();
    const auto frame = BuildFrame(fields);
    std::printf("%s\n", frame->substr(0, frame->size() - 1).c_str());
    return 0;
}

}  // namespace vantor::cli
