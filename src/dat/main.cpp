// vantor-dat: packs, lists and unpacks the description container vantor.dat.
// Exit status: 0 done, 1 unreadable or unwritable input/output, 2 bad usage.

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "cmdline/scanner.h"
#include "description/description_file.h"
#include "platform/compound_file.h"

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

bool readFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
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
        std::string text;
        if (!readFile(args[i], text)) return failure("cannot read " + args[i]);
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
    for (const auto& name : file.streamNames()) std::printf("%s\n", name.c_str());
    return 0;
}

bool inflateStream(const vantor::CompoundFileReader& file, const std::string& name, std::string& text,
                   std::string& error) {
    std::string compressed;
    if (!file.readStream(name, compressed)) {
        error = "no stream " + name;
        return false;
    }
    text = vantor::DecodeDescriptionStream(compressed);
    if (text.empty()) {
        error = "stream " + name + " holds no zlib data";
        return false;
    }
    return true;
}

int unpack(const Args& args) {
    if (args.size() != 2) return usageError("unpack needs FILE.dat and DIR");
    vantor::CompoundFileReader file;
    std::string error;
    if (!openContainer(args[0], file, error)) return failure(error);
    std::error_code ec;
    std::filesystem::create_directories(args[1], ec);
    if (ec) return failure("cannot create " + args[1] + ": " + ec.message());
    int status = 0;
    for (const auto& name : file.streamNames()) {
        std::string text;
        if (!safeFileName(name)) {
            status = failure("stream name '" + name + "' is not a file name; skipped");
            continue;
        }
        if (!inflateStream(file, name, text, error)) {
            status = failure(error);
            continue;
        }
        const auto target = std::filesystem::path(args[1]) / name;
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out.write(text.data(), static_cast<std::streamsize>(text.size())))
            status = failure("cannot write " + target.string());
    }
    return status;
}

int cat(const Args& args) {
    if (args.size() != 2) return usageError("cat needs FILE.dat and STREAM");
    vantor::CompoundFileReader file;
    std::string error, text;
    if (!openContainer(args[0], file, error) || !inflateStream(file, args[1], text, error)) return failure(error);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

struct Subcommand {
    const char* name;
    int (*run)(const Args&);
};

constexpr Subcommand kSubcommands[] = {{"pack", pack}, {"list", list}, {"unpack", unpack}, {"cat", cat}};

}  // namespace

int main(int argc, char** argv) {
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
