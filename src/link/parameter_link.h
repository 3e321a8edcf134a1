#pragma once
// The exchange engine: turns frame exchanges into parameter operations. One parameter
// read or written with its index, access attributes and value conversion
// (ExchangeParameter); the counted, logged read and write the rest of the program
// calls (ReadParameter, WriteParameter, InstantWrite); opening the port with the
// program network settings (ConfigureLink, OpenPort). Tree operations of the elements
// run through it as their ParameterExchange.
//
// Locks: OpenPort takes the link lock; ReadParameter and WriteParameter take none of
// their own (the communication thread holds the link lock, dialogs rely on the frame
// lock every frame exchange takes). The counters are atomic, so a calibration reading
// thread and the user-interface thread may count side by side.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "elements/line_settings.h"
#include "elements/parameter_exchange.h"
#include "link/cancel_event.h"
#include "link/device_io.h"
#include "link/device_model_link.h"
#include "link/line_port.h"
#include "params/converter.h"
#include "params/parameter.h"
#include "platform/user_interface.h"

namespace vantor {

// Results of ExchangeParameter besides 0 (success), the foreign statuses and the
// frame-level failure 1, and the two that ReadParameter and WriteParameter add.
enum ExchangeResult : int {
    kExchangePortUnusable = -1,  // also: no parameter given in the native protocol
    kExchangeFrameFailed = 1,
    kExchangeNotDecoded = 2,
    kExchangeNoSetter = 3,
    kExchangeNotEncoded = 4,
    kExchangeNoData = 5,         // the text to write is "no data"
    kExchangeNegativeIndex = 6,  // nothing sent
    kExchangeAttributesFailed = 200,
    kExchangeAttributeLength = 201,
    kInstantWriteNothing = 1000,
};

class ParameterLink : public DeviceIO, public ParameterExchange {
public:
    // Messages, the progress log and the option switches go to `ui`, which outlives
    // the link. Attribute writing is allowed when the access level is above 1.
    explicit ParameterLink(UserInterface& ui);
    ~ParameterLink() override;

    // The line: the own serial port, or a transport that stands in for it (both given,
    // usually one object). Null goes back to the serial port.
    void attachLine(LineTransport* transport, LinePort* port);
    bool portUsable() const;
    // The line opened anew with the settings it already holds (none are read), and
    // closed: what the communication thread does with a port it found unusable.
    int ReopenLine();
    int CloseLine();

    // Where OpenPort takes the line settings from: the program network settings
    // element, which clears its changed flags when it hands them over.
    std::function<LineSettings()> linkSettingsSource;
    // The current model takes 8 data bits whatever "LEn" says (KQ-08 and the models made
    // from it); OpenPort hands it to ConfigureLink. Set by whoever owns the model.
    std::atomic<bool> eightDataBitsOnly{false};
    // Puts the settings into the port and the frame layer; clears the
    // network-settings-changed flag.
    void ConfigureLink(const LineSettings& settings, bool eightDataBits);
    // 0, or the port's Open failure (-1..-3). Result flag 2 follows the outcome; with
    // `showMessage`, when the program runs without command-line options and without
    // the start-up option "silent", a failure is shown.
    int OpenPort(bool showMessage);

    // Request bit 1 reads, 0 writes. `report`, when given, receives the frame dump.
    int ExchangeParameter(int requestBit, Parameter* parameter, std::vector<std::string>* report = nullptr);
    int ReadParameter(Parameter& parameter, bool countTimeouts);
    // `source` below 0 writes the configuration value, otherwise the value text.
    int WriteParameter(Parameter& parameter, int source);
    // After an edit in the view: writes a changed parameter when "Instant recording"
    // is on; kInstantWriteNothing otherwise.
    int InstantWrite(Parameter& parameter);

    // ParameterExchange: what the element operations call.
    bool cancelled() const override { return cancel_.isSet(); }
    int readParameter(Parameter& parameter) override { return ReadParameter(parameter, true); }
    int writeParameter(Parameter& parameter, int mode) override { return WriteParameter(parameter, mode); }
    // Reads the module's value into a scratch copy and compares value text and owner.
    // 0 alike; otherwise the read's failure, or 1 for a difference, which goes to
    // `onDifference` (without one the parameter gets the discrepancy note).
    int compareParameter(Parameter& parameter) override;
    void progressStep() override { ++progressDone; }
    void progressLog(const std::string& line) override;

    CancelEvent& cancelEvent() { return cancel_; }
    UserInterface& userInterface() { return ui_; }

    // The running batch: every ReadParameter and WriteParameter adds one to the done count.
    std::atomic<int> progressDone{0};
    std::atomic<int> progressTotal{0};
    // Time-outs since the last exchange that was not one, reads and writes alike.
    std::atomic<int> consecutiveFailures{0};
    // How the last counted read, write or comparison with the module ended, for the
    // status bar.
    enum class LastExchange { None, Worked, Failed };
    std::atomic<LastExchange> lastExchange{LastExchange::None};
    // A written parameter changed the module's network settings (APLY is due).
    std::atomic<bool> networkSettingsChanged{false};
    const bool attributeWritingAllowed;

    // The current device model, set and cleared by whoever owns it; may be null.
    std::atomic<DeviceModelLink*> deviceModel{nullptr};
    // How replies are decoded for the current model, set by its owner before exchanges
    // run; the default decodes as without a model.
    CodecContext codecContext;
    // Told when a read changed what the document holds.
    std::function<void()> onDocumentModified;
    // Told of a difference a comparison found: the configured parameter and the
    // module's value in a scratch parameter.
    std::function<void(Parameter& configured, const Parameter& module)> onDifference;

private:
    int exchangeNative(int requestBit, Parameter& parameter, std::vector<std::string>* report);
    int exchangeNetworkName(int requestBit, Parameter& parameter, std::vector<std::string>* report);
    // Steps shared by every parameter on the wire: attributes when due, data, index,
    // the frame and its report lines. 0 with the reply's data.
    int exchangeOnWire(int requestBit, Parameter& parameter, bool attributesDue, const char* attributeLengthKey,
                       std::vector<std::string>* report, Bytes& reply);
    int exchangeAttributes(int requestBit, Parameter& parameter, const char* attributeLengthKey);
    bool attributesSwitchOn() const;
    void appendErrorLog(const Parameter& parameter) const;
    void noteExchange(int result);
    bool isTimeout(const Parameter& parameter) const;
    void fiveReadTimeouts();

    UserInterface& ui_;
    CancelEvent cancel_;
    class SerialLinePort;
    std::unique_ptr<SerialLinePort> serialPort_;
    LinePort* port_;
};

}  // namespace vantor
