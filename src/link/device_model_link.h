#pragma once
// What the exchange engine asks of the current device model. The device models (a layer
// above the link) implement it; the link holds a non-owning pointer that the owner of
// the model sets and clears.

#include <string>

namespace vantor {

class Parameter;

class DeviceModelLink {
public:
    virtual ~DeviceModelLink() = default;
    // A successful write of a parameter of this name changes the module's network settings.
    virtual bool IsNetworkSettingName(const std::string& name) const = 0;
    // A parameter named "Log" was read from the module (or loaded, or edited).
    virtual void OnLogParameter(Parameter& parameter) = 0;
    // The module must be restarted (INIT) after a successful write task.
    virtual bool InitAfterWrite() const = 0;
    // The model's display name, for messages such as the five-time-outs warning.
    virtual std::string DisplayName() const = 0;
};

}  // namespace vantor
