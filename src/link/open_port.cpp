// The link's line: which one the exchanges use, its settings and its opening.

#include "link/parameter_link.h"
#include "platform/app_state.h"
#include "text/texts.h"

namespace vantor {

// The serial port as the engine opens and tests it.
class ParameterLink::SerialLinePort : public LinePort {
public:
    explicit SerialLinePort(Sio& sio) : sio_(sio) {}
    int Open() override { return sio_.Open(); }
    int Close() override { return sio_.Close(); }
    bool Usable() const override { return sio_.isOpen() && sio_.stateReadable(); }

private:
    Sio& sio_;
};

ParameterLink::ParameterLink(UserInterface& ui)
    : attributeWritingAllowed(app().accessLevel() > 1),
      ui_(ui),
      serialPort_(std::make_unique<SerialLinePort>(sio())),
      port_(serialPort_.get()) {}

ParameterLink::~ParameterLink() = default;

void ParameterLink::attachLine(LineTransport* transport, LinePort* port) {
    setTransport(transport);
    port_ = transport && port ? port : serialPort_.get();
}

bool ParameterLink::portUsable() const { return port_->Usable(); }

int ParameterLink::ReopenLine() {
    port_->Close();
    return port_->Open();
}

int ParameterLink::CloseLine() { return port_->Close(); }

void ParameterLink::ConfigureLink(const LineSettings& settings, bool eightDataBits) {
    Sio& port = sio();
    port.portName = settings.portPath;
    port.baudRate = settings.baudRate;
    port.dataBits = eightDataBits ? 8u : settings.dataBits;
    port.stopBits = settings.stopBits;
    port.parityCode = settings.parityCode;
    if (settings.adapterMode) port.adapterMode = *settings.adapterMode;
    baseAddress = settings.address;
    addressLength = settings.addressLength;
    networkSettingsChanged = false;
}

int ParameterLink::OpenPort(bool showMessage) {
    std::lock_guard lock(app().linkLock());
    port_->Close();
    // Without a source the port keeps the settings it was given by hand.
    if (linkSettingsSource) ConfigureLink(linkSettingsSource(), eightDataBitsOnly);
    if (app().commandLine().mode & kModeSilent) return -1;
    const int result = port_->Open();
    if (result == 0) {
        app().clearResultBit(kResultPortNotOpened);
        return 0;
    }
    app().setResultBit(kResultPortNotOpened);
    if (showMessage && !(app().commandLine().options & kOptCommandLineMode))
        ui_.message(FormatText(Text("IDS_STRING164"), sio().portName), Text("IDS_STRING163"), MessageIcon::Error,
                    MessageButtons::Ok);
    return result;
}

}  // namespace vantor
