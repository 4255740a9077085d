#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

#include "core/location/WinePrefixes.h"

namespace pw::test {

// While it lives, the per-user settings, the game's installation entry and the application's
// data folder (XDG_DATA_HOME) are kept in a fresh temporary folder, so tests never read or change
// the user's own (registry included), and the game is looked for in the Wine prefixes of an empty
// temporary home, never the user's.
// Restores the previous place on destruction. Nestable; one per scope.
class IsolatedSettings {
public:
    IsolatedSettings();
    ~IsolatedSettings();
    IsolatedSettings(const IsolatedSettings&) = delete;
    IsolatedSettings& operator=(const IsolatedSettings&) = delete;

    // The temporary configuration folder.
    QString folder() const { return dir_.path(); }
    // The temporary data folder (XDG_DATA_HOME).
    QString dataFolder() const;
    // The home folder the game search sees (empty, no WINEPREFIX) until a test sets another.
    QString home() const { return dir_.filePath(QStringLiteral("home")); }
    // The file that stands for the game's installation entry (it may not exist).
    QString installEntryFile() const;
    // Writes the installation entry so that the game in gameFolder counts as installed.
    void registerGame(const QString& gameFolder);

private:
    QTemporaryDir dir_;
    QString previousFolder_;
    bool hadXdg_ = false;
    QByteArray previousXdg_;
    bool hadXdgData_ = false;
    QByteArray previousXdgData_;
    std::optional<model::WineEnvironment> previousWine_;
    QString previousBackups_;
};

}  // namespace pw::test
