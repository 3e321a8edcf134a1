#include "app/recent_files.h"

#include <QFileInfo>
#include <filesystem>

namespace vantor::gui {

namespace {

// The value names of the entries: "Recent File List/File1" ... "File4".
std::string entryName(int index) { return "Recent File List/File" + std::to_string(index + 1); }

// Two names of one file are one entry.
QString canonical(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

RecentFiles::RecentFiles(std::unique_ptr<SettingsStore> store) : store_(std::move(store)) {
    for (int i = 0; i < kMaximum; ++i) {
        const std::optional<std::string> path = store_->readString(entryName(i));
        if (path && !path->empty()) paths_.append(QString::fromStdString(*path));
    }
}

void RecentFiles::add(const QString& path) {
    const QString file = canonical(path);
    paths_.removeAll(file);
    paths_.prepend(file);
    while (paths_.size() > kMaximum) paths_.removeLast();
    save();
}

void RecentFiles::remove(const QString& path) {
    if (paths_.removeAll(canonical(path)) > 0) save();
}

void RecentFiles::save() const {
    for (int i = 0; i < kMaximum; ++i) {
        if (i < paths_.size())
            store_->writeString(entryName(i), paths_[i].toStdString());
        else
            store_->remove(entryName(i));
    }
}

std::unique_ptr<SettingsStore> OpenRecentFilesSettings() {
    const std::filesystem::path own = SettingsFilePath(SettingsScope::PerUser);
    return OpenIniSettings((own.parent_path() / "Configurator - Vantor.ini").string());
}

}  // namespace vantor::gui
