#include "core/location/GameInstall.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "core/bytes/GamePaths.h"
#include "core/location/SettingsStore.h"
#include "core/location/WineGameLocation.h"
#include "core/location/WinePrefixes.h"

#ifdef Q_OS_WIN
#include "core/location/WindowsInstallEntry.h"
#endif

namespace pw::model {

namespace {
const QString kGameExecutable = QStringLiteral("GP4.exe");
const QString kSaveState = QStringLiteral("f1gstate.sav");
const QString kCarsArchive = QStringLiteral("cars.wad");
const QString kImagesFolder = QStringLiteral("MenuData/PC/GP2001/images");

// The key path with "/" between its parts and no leading separator.
QString keyPathParts() {
    QString path = QString::fromLatin1(install::kKeyPath);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/'))) path.remove(0, 1);
    return path;
}

// The INI file standing in for the registry entry; empty when the registry itself is used.
QString installEntryFile() {
#ifdef Q_OS_WIN
    if (settingsFolder().isEmpty()) return QString();
#endif
    return userConfigFolder() + QStringLiteral("/Quillon's Tools/GameInstall.ini");
}

QString installValueKey() {
    return keyPathParts() + QLatin1Char('/') + QString::fromLatin1(install::kValueName);
}

QString withoutTrailingSeparators(QString path) {
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))))
        path.chop(1);
    return path;
}

// A path taken from the settings, resolved; empty stays empty.
QString resolvedSetting(const SettingsStore& settings, const char* name) {
    const QString value = settings.read(QString(), QString::fromLatin1(name), QString());
    return value.isEmpty() ? QString() : resolvePath(value);
}

QString underGame(const GameInstall& game, const QString& relative) {
    return game.found ? resolvePath(joinPath(game.folder, relative)) : QString();
}
}  // namespace

std::optional<QString> ReadInstallDirectory() {
    const QString file = installEntryFile();
    if (!file.isEmpty()) {
        // Reading never creates the entry: no file, no entry.
        if (!QFileInfo::exists(file)) return std::nullopt;
        const QVariant v = QSettings(file, QSettings::IniFormat).value(installValueKey());
        return v.isValid() ? std::optional<QString>(v.toString()) : std::nullopt;
    }
#ifdef Q_OS_WIN
    const std::wstring key = QString::fromLatin1(install::kKeyPath).mid(1).toStdWString();
    const std::wstring value = QString::fromLatin1(install::kValueName).toStdWString();
    return windows::readInstallEntry(key.c_str(), value.c_str());
#else
    return std::nullopt;
#endif
}

bool WriteInstallDirectory(const QString& folder) {
    const QString file = installEntryFile();
    if (!file.isEmpty()) {
        QSettings s(file, QSettings::IniFormat);
        s.setValue(installValueKey(), folder);
        s.sync();
        return s.status() == QSettings::NoError;
    }
#ifdef Q_OS_WIN
    const std::wstring key = QString::fromLatin1(install::kKeyPath).mid(1).toStdWString();
    const std::wstring value = QString::fromLatin1(install::kValueName).toStdWString();
    return windows::writeInstallEntry(key.c_str(), value.c_str(), QDir::toNativeSeparators(folder));
#else
    return false;
#endif
}

QString InstallEntryLocation() {
    const QString file = installEntryFile();
    return file.isEmpty()
               ? QStringLiteral("HKEY_LOCAL_MACHINE") + QString::fromLatin1(install::kKeyPath)
               : file;
}

namespace {
// The game in directory when the executable named by "GP4Path" is there (in any letter case).
GameInstall gameIn(const QString& directory, const QString& executable) {
    // An empty or relative folder names no installation; it must not be looked up in the current
    // folder or at the root of the file system.
    if (directory.trimmed().isEmpty()) return {};
    QString normalised = directory;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!QDir::isAbsolutePath(normalised)) return {};
    // joinPath drops a trailing separator of the folder, so "C:\Games\GP4\" works like
    // "C:\Games\GP4".
    const QString candidate = resolvePath(joinPath(directory, executable));
    if (!fileExists(candidate)) return {};
    return GameInstall{true, withoutTrailingSeparators(folderPart(candidate))};
}
}  // namespace

GameInstall ResolveGameFolder(const SettingsStore& settings) {
    QString name =
        fileNamePart(settings.read(QString(), QString::fromLatin1(settings::kGP4Path),
                                   QString::fromLatin1(settings::kGP4PathResolveDefault)));
    if (name.isEmpty()) name = kGameExecutable;
    if (const std::optional<QString> directory = ReadInstallDirectory())
        return gameIn(*directory, name);
#ifndef Q_OS_WIN
    // Without an entry of its own, a game run under Wine is recorded in its prefix's registry.
    for (const QString& prefix : knownWinePrefixes(wineEnvironment())) {
        for (const QString& folder : installFoldersInPrefix(prefix)) {
            const GameInstall game = gameIn(folder, name);
            if (game.found) return game;
        }
    }
#endif
    return {};
}

QString GameSearchStartFolder() {
#ifdef Q_OS_WIN
    // Wine prefixes are a Linux matter; on Windows the search starts in the home folder.
    return QDir::homePath();
#else
    const WineEnvironment environment = wineEnvironment();
    for (const QString& prefix : knownWinePrefixes(environment)) {
        const QString drive = resolvePath(joinPath(prefix, QStringLiteral("drive_c")));
        if (QFileInfo(drive).isDir()) return drive;
    }
    return environment.home;
#endif
}

QString GameExecutablePath(const GameInstall& game, const SettingsStore& settings) {
    const QString chosen = resolvedSetting(settings, settings::kGP4Path);
    return chosen.isEmpty() ? underGame(game, kGameExecutable) : chosen;
}

QString SaveStatePath(const GameInstall& game) {
    return underGame(game, kSaveState);
}

QString CarsArchivePath(const GameInstall& game, const SettingsStore& settings) {
    const QString chosen = resolvedSetting(settings, settings::kCarsWadPath);
    return chosen.isEmpty() ? underGame(game, kCarsArchive) : chosen;
}

QString TeamImagesFolder(const GameInstall& game, const SettingsStore& settings) {
    const QString chosen = resolvedSetting(settings, settings::kGpiPath);
    return chosen.isEmpty() ? GameImagesFolder(game) : withoutTrailingSeparators(chosen);
}

QString GameImagesFolder(const GameInstall& game) {
    return underGame(game, kImagesFolder);
}

ChosenExecutable StoreChosenGameExecutable(SettingsStore& settings, const QString& exePath) {
    if (exePath.isEmpty() || !fileExists(exePath)) return ChosenExecutable::Missing;
    const QString path = QDir::toNativeSeparators(resolvePath(exePath));
    settings.write(QString(), QString::fromLatin1(settings::kGP4Path), path);
    return WriteInstallDirectory(folderPart(path)) ? ChosenExecutable::Stored
                                                   : ChosenExecutable::StoredWithoutInstallEntry;
}

}  // namespace pw::model
