#pragma once
// A virtual module on the link's line without a serial port: it stands in for the port
// through the link's transport seam. The module hears a request only while the port is
// set to the character format and speed it listens with and, behind an adapter that
// needs one, only in that adapter mode; what it does not hear times out.

#include <optional>
#include <string>

#include "link/line_port.h"
#include "link/sio.h"
#include "sim/module_line.h"

namespace vantor::sim {

class InProcessLine : public LineTransport, public LinePort {
public:
    // `port` is the link's serial port object, read for its settings only.
    InProcessLine(ModuleLine& module, const Sio& port) : module_(module), port_(port) {}

    int Transact(std::string_view request, std::string& reply) override;
    int Open() override;
    int Close() override;
    bool Usable() const override { return open_; }

    // The adapter mode the module's line works in; none: either.
    std::optional<AdapterMode> adapterNeeded;
    // What Open answers: 0, or a port failure to try the link's handling of it.
    int openResult = 0;

private:
    bool hears() const;

    ModuleLine& module_;
    const Sio& port_;
    bool open_ = false;
};

}  // namespace vantor::sim
