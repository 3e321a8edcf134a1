// The settings store: the kind rules shared by every store, the in-memory store, and
// the INI files QSettings keeps. A registry-backed store (Windows) takes the same key
// and value names.

#include "platform/settings_store.h"

#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <charconv>
#include <limits>

namespace vantor {

namespace {

std::optional<std::uint32_t> unsignedDecimal(std::string_view text) {
    std::uint32_t number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return number;
}

QString qtText(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// One QSettings per operation: each sees the file as it is now, and a failed write is
// reported by its own status rather than a sticky one from an earlier write.
class IniSettingsStore : public SettingsStore {
public:
    explicit IniSettingsStore(const std::string& path) : path_(qtText(path)) {}

    bool remove(std::string_view name) override {
        QSettings settings(path_, QSettings::IniFormat);
        if (!settings.contains(qtText(name))) return true;
        settings.remove(qtText(name));
        settings.sync();
        return settings.status() == QSettings::NoError;
    }

protected:
    std::optional<SettingsValue> load(std::string_view name) const override {
        const QSettings settings(path_, QSettings::IniFormat);
        const QVariant value = settings.value(qtText(name));
        switch (value.typeId()) {
        case QMetaType::QString: return SettingsValue(value.toString().toStdString());
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            return SettingsValue(SettingsBytes(bytes.begin(), bytes.end()));
        }
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            // Values written in this run may come back from Qt's file cache as numbers.
            bool ok = false;
            const qulonglong number = value.toULongLong(&ok);
            if (!ok || number > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
            return SettingsValue(static_cast<std::uint32_t>(number));
        }
        default: return std::nullopt;  // missing, or a list a person typed with commas
        }
    }

    bool store(std::string_view name, const SettingsValue& value) override {
        QSettings settings(path_, QSettings::IniFormat);
        if (const auto* number = std::get_if<std::uint32_t>(&value))
            settings.setValue(qtText(name), QString::number(*number));
        else if (const auto* text = std::get_if<std::string>(&value))
            settings.setValue(qtText(name), qtText(*text));
        else {
            const auto& bytes = std::get<SettingsBytes>(value);
            settings.setValue(qtText(name), QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                       static_cast<qsizetype>(bytes.size())));
        }
        settings.sync();
        return settings.status() == QSettings::NoError;
    }

private:
    QString path_;
};

}  // namespace

std::optional<std::uint32_t> SettingsStore::readInteger(std::string_view name) const {
    const std::optional<SettingsValue> value = load(name);
    if (!value) return std::nullopt;
    if (const auto* number = std::get_if<std::uint32_t>(&*value)) return *number;
    if (const auto* text = std::get_if<std::string>(&*value)) return unsignedDecimal(*text);
    return std::nullopt;
}

std::optional<std::string> SettingsStore::readString(std::string_view name) const {
    const std::optional<SettingsValue> value = load(name);
    if (!value) return std::nullopt;
    if (const auto* text = std::get_if<std::string>(&*value)) return *text;
    if (const auto* number = std::get_if<std::uint32_t>(&*value)) return std::to_string(*number);
    return std::nullopt;
}

std::optional<SettingsBytes> SettingsStore::readBinary(std::string_view name) const {
    const std::optional<SettingsValue> value = load(name);
    if (!value) return std::nullopt;
    if (const auto* bytes = std::get_if<SettingsBytes>(&*value)) return *bytes;
    return std::nullopt;
}

bool MemorySettingsStore::remove(std::string_view name) {
    if (const auto found = values_.find(name); found != values_.end()) values_.erase(found);
    return true;
}

std::optional<SettingsValue> MemorySettingsStore::load(std::string_view name) const {
    const auto found = values_.find(name);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

bool MemorySettingsStore::store(std::string_view name, const SettingsValue& value) {
    values_.insert_or_assign(std::string(name), value);
    return true;
}

std::string SettingsFilePath(SettingsScope scope) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const char* key = scope == SettingsScope::PerUser ? "/LUMEKO/Vantor.ini" : "/LUMEKO/Devices/Vantor.ini";
    return folder.toStdString() + key;
}

std::unique_ptr<SettingsStore> OpenSettings(SettingsScope scope) { return OpenIniSettings(SettingsFilePath(scope)); }

std::unique_ptr<SettingsStore> OpenIniSettings(const std::string& path) {
    return std::make_unique<IniSettingsStore>(path);
}

}  // namespace vantor
