#include "cli/module_session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include "description/catalogue.h"
#include "document/command_line_start.h"
#include "document/frame_trace.h"
#include "params/module_baud_rates.h"
#include "platform/app_state.h"
#include "platform/serial_port.h"
#include "platform/string_utils.h"
#include "text/texts.h"

namespace vantor::cli {

extern const char kLinkOptionsUsage[] =
    "Link options (not given: the saved program network settings; defaults 9600 8N1,\n"
    "address 16, 8-bit addressing):\n"
    "  --port PATH      serial device (COMn means /dev/ttyS(n-1))\n"
    "  --baud N         line speed, one a module runs at; --parity none|even|odd,\n"
    "                   --data-bits 5..8, --stop-bits 1|2\n"
    "  --addr N         module address; --alen 8|11 address length\n"
    "  --adapter MODE   auto: the adapter switches direction itself; rts: the program\n"
    "                   drives RTS while it sends\n"
    "  --model NAME|INDEX  the model by hand; without it \"dev\" identifies it\n"
    "  --elog FILE      append the error lines of failed exchanges to FILE\n"
    "  --trace          one line on stderr for every frame sent and received\n"
    "Exit status 0 success, 1 failure (message on stderr), 2 bad usage.\n";

namespace {

// Why the port cannot be used, or empty when it opens.
std::string portProblem(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return "does not exist";
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY ? "is in use by another program" : std::strerror(errno);
    const bool terminal = ::isatty(fd);
    ::close(fd);
    return terminal ? std::string() : "is not a terminal";
}

}  // namespace

MessageAnswer ModuleUserInterface::message(const std::string& text, const std::string& caption, MessageIcon icon,
                                           MessageButtons buttons) {
    if (confirmed && (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel))
        return MessageAnswer::Yes;
    if (icon != MessageIcon::Information) return StderrUserInterface::message(text, caption, icon, buttons);
    // Lines end in LF on a terminal, the last one too.
    std::string lines = text;
    replaceAll(lines, "\r\n", "\n");
    if (lines.empty() || lines.back() != '\n') lines += '\n';
    std::fputs(lines.c_str(), stdout);
    return MessageAnswer::Ok;
}

// What the command line gave; the rest comes from the saved settings.
struct ModuleSession::Given {
    bool trace = false;
    std::optional<std::string> port;
    std::optional<std::uint32_t> baud, parity, dataBits, stopBits, adapter;
    std::optional<int> address, addressLength;
    int model = kNoModel;
};

// --trace: every frame as a line on stderr, written by the thread that exchanged it.
class ModuleSession::TraceLines : public FrameTap {
public:
    explicit TraceLines(CPlimoDoc& document) : trace_(document.description(), document.device().codecContext) {}
    void onFrame(const FrameRecord& record) override { std::fprintf(stderr, "%s\n", trace_.line(record).c_str()); }

private:
    FrameTrace trace_;
};

TerminalFrontEnd::TerminalFrontEnd(ModuleUserInterface& ui) {
    ui.onProgress = [this](const std::string& line, int position) { progress(line, position); };
}

std::optional<TaskOutcome> TerminalFrontEnd::RunWaitDialog(OperationCode, Device& device) {
    {
        std::lock_guard lock(mutex_);
        line_.emplace();
        total_ = device.progressTotal;
    }
    std::optional<TaskOutcome> outcome = device.WaitTask();
    std::lock_guard lock(mutex_);
    line_.reset();
    return outcome;
}

void TerminalFrontEnd::progress(const std::string& line, int position) {
    std::lock_guard lock(mutex_);
    if (line_ && !line.empty()) line_->show(position, total_, line);
}

ModuleSession::ModuleSession()
    : given_(std::make_unique<Given>()), endOnSignal_([this] { StopLinkForExit(device()); }) {
    app().commandLine().options |= kOptCommandLineMode;
}

ModuleSession::~ModuleSession() {
    device().StopThreads();
    device().setFrameTap(nullptr);
    device().sio().Close();
}

void ModuleSession::addOptions(cmdline::Scanner& scanner) {
    Given& g = *given_;
    scanner.value("--port", [&g](const std::string& value) {
        g.port = value;
        return value.empty() ? std::string("--port needs a path") : std::string();
    });
    scanner.value("--baud", [&g](const std::string& value) {
        const auto rate = cmdline::parseWhole<std::uint32_t>(value, 0, kModuleBaudRates.back());
        if (!rate || !isModuleBaudRate(*rate))
            return "baud rate " + value + " is not supported (" + moduleBaudRateList(", ") + ")";
        g.baud = *rate;
        return std::string();
    });
    scanner.value("--parity", [&g](const std::string& value) {
        static const std::map<std::string, std::uint32_t> kCodes = {
            {"none", kParityCodeNone}, {"even", kParityCodeEven}, {"odd", kParityCodeOdd}};
        const auto code = kCodes.find(value);
        if (code != kCodes.end()) g.parity = code->second;
        return code != kCodes.end() ? std::string() : "--parity takes none, even or odd";
    });
    scanner.number("--data-bits", 5u, 8u, [&g](std::uint32_t bits) { g.dataBits = bits; });
    scanner.number("--stop-bits", 1u, 2u, [&g](std::uint32_t bits) { g.stopBits = bits; });
    scanner.number("--addr", 0, 2047, [&g](int address) { g.address = address; });
    scanner.value("--alen", [&g](const std::string& value) {
        const bool good = value == "8" || value == "11";
        if (good) g.addressLength = value == "8" ? 8 : 11;
        return good ? std::string() : "--alen takes 8 or 11";
    });
    scanner.value("--adapter", [&g](const std::string& value) {
        const bool good = value == "auto" || value == "rts";
        if (good) g.adapter = value == "rts" ? kAdapterModeZk7 : kAdapterModeAuto;
        return good ? std::string() : "--adapter takes auto or rts";
    });
    scanner.value("--model", [&g](const std::string& value) {
        g.model = findModel(value);
        return g.model >= 0 ? std::string()
                            : cmdline::rangeMessage("--model", value, 0, kModelCount - 1, "a model name or index");
    });
    scanner.flag("--trace", [&g] { g.trace = true; });
    scanner.value("--elog", [](const std::string& value) {
        app().errorLogPath() = value;
        return std::string();
    });
}

void ModuleSession::finishOptions() {
    line_ = document_.networkSettings().lineSettings();
    const Given& g = *given_;
    if (g.port) line_.portPath = serialDevicePath(*g.port);
    line_.baudRate = g.baud.value_or(line_.baudRate);
    line_.parityCode = g.parity.value_or(line_.parityCode);
    line_.dataBits = g.dataBits.value_or(line_.dataBits);
    line_.stopBits = g.stopBits.value_or(line_.stopBits);
    line_.address = g.address.value_or(line_.address);
    line_.addressLength = g.addressLength.value_or(line_.addressLength);
    line_.adapterMode = g.adapter ? g.adapter : line_.adapterMode;
    if (g.model != kNoModel) {
        app().setCurrentModel(g.model);
        device().catalogueFixed = true;
    }
    // The options hold for this command only: the saved settings stay as they are.
    device().linkSettingsSource = [this] { return line_; };
    if (g.trace) {
        trace_ = std::make_unique<TraceLines>(document_);
        device().setFrameTap(trace_.get());
    }
}

bool ModuleSession::open() {
    if (const std::string problem = portProblem(line_.portPath); !problem.empty()) {
        std::fprintf(stderr, "vantorctl: port %s %s\n", line_.portPath.c_str(), problem.c_str());
        return false;
    }
    if (device().OpenPort(false) != 0) {
        std::fprintf(stderr, "%s\n", FormatText(Text("IDS_STRING164"), line_.portPath).c_str());
        return false;
    }
    return true;
}

bool ModuleSession::chooseModel(bool showReport) {
    // Also reads "ver", which the description's "#if ver" lines compare.
    const int flags = device().IdentifyDevice(showReport);
    if (device().catalogueFixed) return !showReport || ui_.messageCount() == 0;
    if (flags & kIdentifyRecognised) return true;
    if (flags & kIdentifyAnswered)
        std::fprintf(stderr, "vantorctl: the module at address %d is not a known model\n", line_.address);
    else if (!showReport)
        std::fprintf(stderr, "%s\n", Text("IDS_STRING262").c_str());
    return false;
}

int ModuleSession::model() const { return app().currentModel(); }

bool ModuleSession::loadTree() {
    if (EndOnSignal::ended()) return false;  // no tree work after SIGTERM or Ctrl+C
    const int before = ui_.messageCount();
    if (!document_.OnNewDocument()) {
        if (ui_.messageCount() == before)
            std::fprintf(stderr, "vantorctl: no description of model %s\n", modelDisplayName(model()).c_str());
        return false;
    }
    return true;
}

std::string ModuleSession::modelLine(int model) {
    return "Model: " + modelDisplayName(model) + " (" + std::to_string(model) + ")";
}

int scanModuleOptions(const char* command, const char* usage, const Arguments& args, cmdline::Scanner& scanner,
                      ModuleSession& session, std::vector<std::string>& words, bool wordsWanted) {
    session.addOptions(scanner);
    std::string error = scanner.scan(args, words);
    if (error.empty() && !wordsWanted && !words.empty()) error = "unexpected argument '" + words.front() + "'";
    if (!error.empty()) return usageError(command, error, (std::string(usage) + kLinkOptionsUsage).c_str());
    session.finishOptions();
    return 0;
}

std::string parameterLabel(const Parameter& parameter) {
    return parameter.indexed ? parameter.name + ":" + std::to_string(parameter.dataIndex) : parameter.name;
}

}  // namespace vantor::cli
