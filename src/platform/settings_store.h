#pragma once
// Named values the program keeps between runs: the per-user settings (network settings,
// option switches, window bars) and the machine-wide installation record. A store is
// one key; its values are 32-bit integers, texts or binary blocks under a name.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vantor {

using SettingsBytes = std::vector<std::uint8_t>;
using SettingsValue = std::variant<std::uint32_t, std::string, SettingsBytes>;

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // Nothing when the value is missing or of another kind. Integers and texts meet:
    // an integer reads as its decimal text, and a text that is an unsigned decimal
    // number within 32 bits reads as that integer (a settings file keeps no kinds,
    // and a person editing it writes numbers as text).
    std::optional<std::uint32_t> readInteger(std::string_view name) const;
    std::optional<std::string> readString(std::string_view name) const;
    std::optional<SettingsBytes> readBinary(std::string_view name) const;

    // False when the value could not be stored; callers that may ignore it do.
    bool writeInteger(std::string_view name, std::uint32_t value) { return store(name, SettingsValue(value)); }
    bool writeString(std::string_view name, std::string_view value) {
        return store(name, SettingsValue(std::string(value)));
    }
    bool writeBinary(std::string_view name, std::span<const std::uint8_t> value) {
        return store(name, SettingsValue(SettingsBytes(value.begin(), value.end())));
    }
    // True when the value is gone afterwards (also when it was never there).
    virtual bool remove(std::string_view name) = 0;

protected:
    virtual std::optional<SettingsValue> load(std::string_view name) const = 0;
    virtual bool store(std::string_view name, const SettingsValue& value) = 0;
};

// Values in memory only: for tests and for runs that must leave no trace.
class MemorySettingsStore : public SettingsStore {
public:
    bool remove(std::string_view name) override;
    bool contains(std::string_view name) const { return values_.find(name) != values_.end(); }

protected:
    std::optional<SettingsValue> load(std::string_view name) const override;
    bool store(std::string_view name, const SettingsValue& value) override;

private:
    std::map<std::string, SettingsValue, std::less<>> values_;
};

enum class SettingsScope {
    PerUser,      // organisation "LUMEKO", application "Vantor"
    MachineWide,  // organisation "LUMEKO", application "Devices/Vantor"
};

// The INI file of the scope's key under the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config): LUMEKO/Vantor.ini, LUMEKO/Devices/Vantor.ini.
// The folder is looked up on every call, so tests that point XDG_CONFIG_HOME elsewhere
// never reach the real user's settings.
std::string SettingsFilePath(SettingsScope scope);
// The program's own key of the scope.
std::unique_ptr<SettingsStore> OpenSettings(SettingsScope scope);
// A key kept in the INI file at `path`; the file and its folders are made by the first
// write.
std::unique_ptr<SettingsStore> OpenIniSettings(const std::string& path);

}  // namespace vantor
