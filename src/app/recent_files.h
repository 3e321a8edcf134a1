#pragma once
// The files opened or saved last, newest first, at most four, kept in the settings
// store of the program's framework key between runs.

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/settings_store.h"

namespace vantor::gui {

class RecentFiles {
public:
    static constexpr int kMaximum = 4;

    // Reads the list from `store`, which keeps it from then on.
    explicit RecentFiles(std::unique_ptr<SettingsStore> store);

    const QStringList& paths() const { return paths_; }
    // `path` becomes the newest entry; an entry for the same file goes.
    void add(const QString& path);
    void remove(const QString& path);

private:
    void save() const;

    std::unique_ptr<SettingsStore> store_;
    QStringList paths_;
};

// The per-user key the list is kept under ("Configurator - Vantor" beside the
// program's own key).
std::unique_ptr<SettingsStore> OpenRecentFilesSettings();

}  // namespace vantor::gui
