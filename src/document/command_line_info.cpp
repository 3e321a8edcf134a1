#include "document/command_line_info.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <limits>

namespace vantor {

namespace {

using OptionAction = void (*)(CommandLineSettings&, std::string_view value);

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

// The number as "%i" reads it: leading blanks and a sign allowed, the base from the
// prefix, reading stops at the first character that does not belong. Text without
// digits gives 0 (not given); so does a number the field cannot hold, unless the caller
// asks to hear of it.
template <typename Field>
Field numberOf(std::string_view value, bool* unfit = nullptr) {
    const std::string text(value);
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text.c_str(), &end, 0);
    if (errno == ERANGE || number < std::numeric_limits<Field>::min() || number > std::numeric_limits<Field>::max()) {
        if (unfit) *unfit = end != text.c_str();
        return 0;
    }
    return static_cast<Field>(number);
}

void refuse(CommandLineSettings& s, std::string_view name, std::string_view value) {
    s.refusedNetworkOption = std::string(name) + ':' + std::string(value);
}

template <typename Field>
void networkNumber(CommandLineSettings& s, Field& field, std::string_view name, std::string_view value) {
    bool unfit = false;
    field = numberOf<Field>(value, &unfit);
    if (unfit) refuse(s, name, value);
    s.options |= kOptNetworkGiven;
}

// A text setting of the record: an empty value is ignored; one longer than the record
// holds is refused (a shortened address would reach another module).
void networkText(CommandLineSettings& s, std::string& field, std::size_t longest, std::string_view name,
                 std::string_view value) {
    if (value.empty()) return;
    if (value.size() > longest) {
        refuse(s, name, value);
        return;
    }
    field = value;
    s.options |= kOptNetworkGiven;
}

void geometry(CommandLineSettings& s, std::int32_t& field, std::uint8_t bit, std::string_view value) {
    field = numberOf<std::int32_t>(value);
    s.geometry |= bit;
}

struct Option {
    std::string_view name;
    OptionAction action;
};

constexpr Option kOptions[] = {
    {"read", [](CommandLineSettings& s, std::string_view) { s.options |= kOptRead; }},
    {"write", [](CommandLineSettings& s, std::string_view) { s.options |= kOptWrite; }},
    {"calibrate", [](CommandLineSettings& s, std::string_view) { s.options |= kOptCalibrate; }},
    {"close", [](CommandLineSettings& s, std::string_view) { s.options |= kOptClose; }},
    {"aply", [](CommandLineSettings& s, std::string_view) { s.options |= kOptAply; }},
    {"port", [](CommandLineSettings& s, std::string_view v) { networkNumber(s, s.port, "port", v); }},
    {"bps", [](CommandLineSettings& s, std::string_view v) { networkNumber(s, s.baudRate, "bps", v); }},
    {"len", [](CommandLineSettings& s, std::string_view v) { networkNumber(s, s.dataBits, "len", v); }},
    {"alen", [](CommandLineSettings& s, std::string_view v) { networkNumber(s, s.addressLength, "alen", v); }},
    {"addr",
     [](CommandLineSettings& s, std::string_view v) { networkText(s, s.address, kAddressOptionLength, "addr", v); }},
    {"sbit",
     [](CommandLineSettings& s, std::string_view v) { networkText(s, s.stopBits, kStopBitsOptionLength, "sbit", v); }},
    {"prty",
     [](CommandLineSettings& s, std::string_view v) {
         // A parity the line cannot take voids the network settings given so far.
         const std::uint8_t parity = v == "even"  ? kParityOptionEven
                                     : v == "odd" ? kParityOptionOdd
                                     : v == "no"  ? kParityOptionNone
                                                  : 0;
         if (parity == 0) {
             s.options &= ~kOptNetworkGiven;
             return;
         }
         s.parity = parity;
         s.options |= kOptNetworkGiven;
     }},
    {"rs485",
     [](CommandLineSettings& s, std::string_view v) {
         if (v == "auto") s.adapterMode = kAdapterOptionAuto;
         if (v == "off") s.adapterMode = kAdapterOptionOff;
         if (v == "on") s.adapterMode = kAdapterOptionOn;
     }},
    {"x", [](CommandLineSettings& s, std::string_view v) { geometry(s, s.x, kGeometryX, v); }},
    {"y", [](CommandLineSettings& s, std::string_view v) { geometry(s, s.y, kGeometryY, v); }},
    {"w", [](CommandLineSettings& s, std::string_view v) { geometry(s, s.w, kGeometryW, v); }},
    {"h", [](CommandLineSettings& s, std::string_view v) { geometry(s, s.h, kGeometryH, v); }},
    {"autoread",
     [](CommandLineSettings& s, std::string_view v) {
         // The later of two contrary options wins.
         if (v == "on") s.mode = static_cast<std::uint8_t>((s.mode & ~kModeAutoreadOff) | kModeAutoreadOn);
         if (v == "off") s.mode = static_cast<std::uint8_t>((s.mode & ~kModeAutoreadOn) | kModeAutoreadOff);
     }},
    {"silent",
     [](CommandLineSettings& s, std::string_view) {
         s.mode = static_cast<std::uint8_t>((s.mode & ~kModeAutoreadOn) | kModeAutoreadOff | kModeSilent);
     }},
    {"test", [](CommandLineSettings& s, std::string_view) { s.mode |= kModeTest; }},
};

constexpr std::string_view kErrorLogOption = "elog";
constexpr std::string_view kExitEventOption = "exitevent";

// The name of an option piece ("port" of "port:3"), lowered.
std::string optionName(std::string_view piece) { return lowered(piece.substr(0, piece.find(':'))); }

bool isOptionName(std::string_view name) {
    if (name == kErrorLogOption || name == kExitEventOption) return true;
    for (const Option& option : kOptions)
        if (option.name == name) return true;
    return false;
}

std::string_view withoutQuotes(std::string_view value) {
    if (!value.empty() && value.front() == '"') value.remove_prefix(1);
    if (!value.empty() && value.back() == '"') value.remove_suffix(1);
    return value;
}

// The first piece of "/a/b" that is not empty, or an empty view.
std::string_view firstPiece(std::string_view options) {
    const std::size_t begin = options.find_first_not_of('/');
    if (begin == std::string_view::npos) return {};
    return options.substr(begin, options.find('/', begin) - begin);
}

}  // namespace

CmyCommandLineInfo::CmyCommandLineInfo()
    : CmyCommandLineInfo(app().commandLine(), app().commandLineFile(), app().errorLogPath()) {}

CmyCommandLineInfo::CmyCommandLineInfo(CommandLineSettings& settings, std::string& file, std::string& errorLogPath)
    : settings_(settings), file_(file), errorLogPath_(errorLogPath) {}

void CmyCommandLineInfo::ParseCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) ParseParam(argv[i]);
}

void CmyCommandLineInfo::ParseParam(std::string_view argument) {
    if (argument.empty()) return;
    if (!optionsEnded_) {
        if (argument == "--") {
            optionsEnded_ = true;
            return;
        }
        if (parseOptionArgument(argument)) return;
    }
    if (!fileTaken_) {
        file_ = argument;
        fileTaken_ = true;
    }
}

bool CmyCommandLineInfo::parseOptionArgument(std::string_view argument) {
    if (argument.front() != '/' && argument.front() != '-') return false;
    std::string_view rest = argument.substr(1);
    if (argument.front() == '/') {
        const std::string_view first = firstPiece(rest);
        if (!first.empty() && !isOptionName(optionName(first))) return false;
    }
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view piece = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (piece.empty()) continue;
        settings_.options |= kOptCommandLineMode;
        const std::string name = optionName(piece);
        const std::size_t colon = piece.find(':');
        const bool hasValue = colon != std::string_view::npos;
        if (name == kErrorLogOption || name == kExitEventOption) {
            // The value runs to the end of the argument, "/" and letter case kept.
            const auto valueStart = static_cast<std::size_t>(piece.data() - argument.data()) + colon + 1;
            applyNameOption(name, hasValue ? argument.substr(valueStart) : std::string_view());
            break;
        }
        applyOption(name, hasValue ? lowered(piece.substr(colon + 1)) : std::string());
    }
    return true;
}

void CmyCommandLineInfo::applyOption(std::string_view name, std::string_view value) {
    for (const Option& option : kOptions)
        if (option.name == name) option.action(settings_, value);
}

void CmyCommandLineInfo::applyNameOption(std::string_view name, std::string_view value) {
    const std::string_view text = withoutQuotes(value);
    if (name == kExitEventOption) {
        exitEventName_ = text;
        return;
    }
    errorLogPath_ = text;
    if (text.empty()) return;
    // Emptied at once: the log holds this run's errors only.
    if (!std::ofstream(errorLogPath_, std::ios::binary | std::ios::trunc)) {
        unwritableErrorLog_ = errorLogPath_;
        errorLogPath_.clear();
    }
}

}  // namespace vantor
