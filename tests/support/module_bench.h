#pragma once
// An exchange engine on the line of an in-process virtual module, every request frame
// recorded with the adapter mode it went out in, and a user interface whose option
// switches the test sets. Header-only: the test programs link the virtual module.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "elements/line_settings.h"
#include "link/line_port.h"
#include "platform/app_state.h"
#include "protocol/frame.h"
#include "protocol/name_hash.h"
#include "sim/clock.h"
#include "sim/description_table.h"
#include "sim/in_process_line.h"
#include "sim/module_line.h"
#include "sim/virtual_module.h"
#include "support/recording_ui.h"

namespace vantor::test {

// Passes everything on to the line it wraps and keeps what was sent.
class RecordingLine : public LineTransport, public LinePort {
public:
    struct Sent {
        std::string frame;
        std::uint32_t adapterMode;
    };

    RecordingLine(LineTransport& line, LinePort& port, const Sio& sio) : line_(line), port_(port), sio_(sio) {}
    int Transact(std::string_view request, std::string& reply) override {
        sent.push_back({std::string(request), sio_.adapterMode});
        return line_.Transact(request, reply);
    }
    int Open() override { return port_.Open(); }
    int Close() override { return port_.Close(); }
    bool Usable() const override { return port_.Usable(); }

    // The native frames sent, parsed (foreign requests are left out).
    std::vector<ReceivedFrame> frames() const {
        std::vector<ReceivedFrame> result;
        for (const Sent& s : sent) {
            ReceivedFrame frame;
            if (ParseFrame(s.frame, frame) == FrameCheck::Ok) result.push_back(frame);
        }
        return result;
    }
    std::size_t framesWithHash(std::uint16_t hash) const {
        std::size_t count = 0;
        for (const ReceivedFrame& frame : frames()) count += frame.hash == hash;
        return count;
    }

    std::vector<Sent> sent;

private:
    LineTransport& line_;
    LinePort& port_;
    const Sio& sio_;
};

// A line without a module on it: every request times out.
class DeadLine : public LineTransport, public LinePort {
public:
    int Transact(std::string_view, std::string& reply) override {
        reply.clear();
        return open_ ? kTransactTimeout : kTransactFailed;
    }
    int Open() override {
        open_ = true;
        return 0;
    }
    int Close() override {
        open_ = false;
        return 0;
    }
    bool Usable() const override { return open_; }

private:
    bool open_ = false;
};

class SwitchingUserInterface : public RecordingUserInterface {
public:
    bool option(OptionSwitch which) const override {
        const auto it = switches.find(which);
        return it != switches.end() && it->second;
    }
    void setOption(OptionSwitch which, bool on) override { switches[which] = on; }

    std::map<OptionSwitch, bool> switches;
};

// The program state every bench starts from: no model, no result bits, attribute
// writing allowed (the access level the program starts with).
struct CleanAppState {
    CleanAppState() { reset(); }
    ~CleanAppState() { reset(); }
    static void reset() {
        app().replaceResultFlags(0);
        app().setCurrentModel(-1);
        app().setAccessLevel(2);
        app().errorLogPath().clear();
        app().commandLine() = {};
    }
};

// The table of a model's shipped description.
inline sim::ParameterTable shippedTable(int model, const std::string& firmware = "1.0") {
    std::string error;
    auto table = sim::tableFromDescription(model, VANTOR_BIN_DIR "/vantor.dat", firmware, error);
    if (!table) throw std::runtime_error(error);
    return std::move(*table);
}

// `Link` is the engine class under test (ParameterLink or Device). The link is set to
// the module's settings and its line is open.
template <class Link>
struct ModuleBench : CleanAppState {
    explicit ModuleBench(int model, sim::ParameterTable table, std::optional<ProtocolMode> asleep = std::nullopt,
                         const std::string& firmware = "1.0", sim::NetworkSettings settings = {16, 8, {}})
        : module(model, std::move(table), settings, firmware, clock),
          moduleLine(module, sim::FaultInjector({}, 1), asleep),
          line(moduleLine, link.sio()),
          recorder(line, line, link.sio()) {
        link.attachLine(&recorder, &recorder);
        linkSettings.portPath = "in-process";
        linkSettings.address = settings.address;
        linkSettings.addressLength = settings.addressLength;
        link.linkSettingsSource = [this] { return linkSettings; };
        link.OpenPort(false);
        recorder.sent.clear();
    }

    SwitchingUserInterface ui;
    Link link{ui};
    LineSettings linkSettings;
    sim::ManualClock clock;
    sim::VirtualModule module;
    sim::ModuleLine moduleLine;
    sim::InProcessLine line;
    RecordingLine recorder;
};

}  // namespace vantor::test
