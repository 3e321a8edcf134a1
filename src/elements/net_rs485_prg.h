#pragma once
// The program's own network settings: the serial port and the line settings the device
// link talks with, kept in the per-user settings between runs. Loaded by
// InitParameters, saved when the element is destroyed (with the device link, at the
// end of the run).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "elements/line_settings.h"
#include "elements/net_rs485.h"
#include "platform/settings_store.h"

namespace vantor {

class NetRS485prg : public NetRS485 {
public:
    // On the program's per-user settings.
    NetRS485prg();
    explicit NetRS485prg(std::shared_ptr<SettingsStore> settings);
    // Saves the settings, once InitParameters has loaded them: an element that was never
    // filled holds nothing of the person's to keep.
    ~NetRS485prg() override;
    NetRS485prg(const NetRS485prg&) = delete;
    NetRS485prg& operator=(const NetRS485prg&) = delete;

    // The six settings of NetRS485 with the stored values (defaults where none are
    // stored), then "Port" as the seventh, offering the system's serial ports; every
    // parameter without access attributes and unchanged.
    void InitParameters() override;
    // Writes the settings into the store; a value that cannot be written is skipped.
    void SaveSettings();

    // What the device link opens the port with.
    LineSettings lineSettings() const;

    // Set from the command line; not kept between runs. None: the link keeps the mode
    // its port has.
    std::optional<std::uint32_t> adapterMode() const { return adapterMode_; }
    void setAdapterMode(std::optional<std::uint32_t> mode) { adapterMode_ = mode; }

    int GetImage() const override { return 19; }
    int GetSelectedImage() const override { return 19; }

private:
    std::shared_ptr<SettingsStore> settings_;
    std::optional<std::uint32_t> adapterMode_;
    bool loaded_ = false;
};

}  // namespace vantor
