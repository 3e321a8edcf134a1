// vantor-dat: packs, lists and unpacks the description container vantor.dat.
// Exit status: 0 done, 1 unreadable or unwritable input/output, 2 bad usage.

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "cmdline/last_resort.h"
#include "cmdline/scanner.h"
#include "description/description_file.h"
#include "platform/compound_file.h"
#include "platform/file_access.h"

namespace {

using Args = std::vector<std::string>;

constexpr const char* kUsage =
    "usage: vantor-dat COMMAND ARGS...\n"
    "\n"
    "  pack OUT.dat FILE.tree...   write a container with one zlib stream per file,\n"
    "                              named as the file (without its folder)\n"
    "  list FILE.dat               print the stream names, one per line\n"
    "  unpack FILE.dat DIR         write every stream, inflated, as DIR/NAME\n"
    "  cat FILE.dat STREAM         print one stream, inflated\n"
    "\n"
    "The .tree files are UTF-8 text; the streams hold it in Windows-1251.\n"
    "Exit status: 0 done, 1 a file could not be read or written, 2 bad usage.\n";

int usageError(const char* what) {
    std::fprintf(stderr, "vantor-dat: %s\n%s", what, kUsage);
    return 2;
}

int failure(const std::string& what) {
    std::fprintf(stderr, "vantor-dat: %s\n", what.c_str());
    return 1;
}

// "cannot VERB PATH: REASON" on stderr; the failure status.
int cannot(const char* verb, const std::string& path, const std::string& reason) {
    return failure(std::string("cannot ") + verb + " " + path + ": " + reason);
}

// A stream is packed from a regular file with text in it: a device or an empty file
// would make an empty stream.
bool readTreeFile(const std::string& path, std::string& text, std::string& reason) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
        !std::filesystem::is_directory(status)) {  // a directory's own reason follows
        reason = "not a regular file";
        return false;
    }
    if (!vantor::readFile(path, text, reason)) return false;
    if (!text.empty()) return true;
    reason = "the file is empty";
    return false;
}

bool openContainer(const std::string& path, vantor::CompoundFileReader& file, std::string& error) {
    return file.open(path, &error);
}

// A stream name from a foreign file must not lead out of the target folder.
bool safeFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos;
}

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int pack(const Args& args) {
    if (args.size() < 2) return usageError("pack needs OUT.dat and at least one FILE.tree");
    std::vector<vantor::CompoundStream> streams;
    std::set<std::string> names;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string name = std::filesystem::path(args[i]).filename().string();
        // The container tells names apart without regard to letter case.
        if (!names.insert(lowerCase(name)).second) return failure("two files named " + name);
        std::string text, reason;
        if (!readTreeFile(args[i], text, reason)) return cannot("read", args[i], reason);
        streams.emplace_back(name, vantor::EncodeDescriptionStream(text));
    }
    std::string error;
    if (!vantor::writeCompoundFile(args[0], streams, &error)) return failure(error);
    return 0;
}

int list(const Args& args) {
    if (args.size() != 1) return usageError("list needs exactly FILE.dat");
    vantor::CompoundFileReader file;
    std::string error;
    if (!openContainer(args[0], file, error)) return failure(error);
    int lost = 0;
    const std::vector<std::string> names = file.streamNames(&lost);
    for (const auto& name : names) std::printf("%s\n", name.c_str());
    // The names found are printed, but a list with entries missing is no answer, and a
    // container (pack makes none without a stream) with no stream is no container.
    if (lost > 0) return failure(args[0] + " is damaged: " + std::to_string(lost) + " entries cannot be read");
    if (names.empty()) return failure(args[0] + " holds no stream: it is damaged or no description container");
    return 0;
}

int unpack(const Args& args) {
    if (args.size() != 2) return usageError("unpack needs FILE.dat and DIR");
    vantor::CompoundFileReader file;
    std::string error;
    if (!openContainer(args[0], file, error)) return failure(error);
    std::error_code ec;
    std::filesystem::create_directories(args[1], ec);
    if (ec) return cannot("create", args[1], ec.message());
    int status = 0;
    for (const auto& name : file.streamNames()) {
        std::string text;
        if (!safeFileName(name)) {
            status = failure("stream name '" + name + "' is not a file name; skipped");
            continue;
        }
        if (!vantor::DecodeContainerStream(file, name, text, error)) {
            status = failure(args[0] + ": " + error);
            continue;
        }
        const std::string target = (std::filesystem::path(args[1]) / name).string();
        if (!vantor::saveFileAtomically(target, text, error)) status = cannot("write", target, error);
    }
    return status;
}

int cat(const Args& args) {
    if (args.size() != 2) return usageError("cat needs FILE.dat and STREAM");
    vantor::CompoundFileReader file;
    std::string error, text;
    if (!openContainer(args[0], file, error)) return failure(error);
    if (!vantor::DecodeContainerStream(file, args[1], text, error)) return failure(args[0] + ": " + error);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

struct Subcommand {
    const char* name;
    int (*run)(const Args&);
};

constexpr Subcommand kSubcommands[] = {{"pack", pack}, {"list", list}, {"unpack", unpack}, {"cat", cat}};

int run(int argc, char** argv) {
    const Args args(argv + 1, argv + argc);
    if (vantor::cmdline::asksForHelp(args)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // No options: the scanner refuses "--anything" and lets "--" go before a file name
    // that starts with '-'.
    Args words;
    if (const std::string error = vantor::cmdline::Scanner().scan(args, words); !error.empty())
        return usageError(error.c_str());
    if (words.empty()) return usageError("no command given");
    for (const auto& sub : kSubcommands)
        if (words[0] == sub.name) return sub.run(Args(words.begin() + 1, words.end()));
    return usageError(("unknown command '" + words[0] + "'").c_str());
}

}  // namespace

int main(int argc, char** argv) { return vantor::cmdline::runReportingEscapes("vantor-dat", run, argc, argv); }
