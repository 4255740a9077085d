#include "core/location/WinePrefixes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "core/bytes/GamePaths.h"
#include "core/location/LutrisGameFile.h"
#include "core/location/SteamLibraryFolders.h"

namespace pw::model {

namespace {
std::optional<WineEnvironment>& overridden() {
    static std::optional<WineEnvironment> environment;
    return environment;
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The sub-folders of folder, in name order.
QStringList subFolders(const QString& folder) {
    QStringList out;
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
        out << dir.filePath(name);
    return out;
}

QString underHome(const WineEnvironment& env, const QString& relative) {
    return joinPath(env.home, relative);
}

QString expandHome(const WineEnvironment& env, const QString& path) {
    if (path == QStringLiteral("~")) return env.home;
    if (path.startsWith(QStringLiteral("~/"))) return underHome(env, path.mid(2));
    return path;
}

QStringList lutrisPrefixes(const WineEnvironment& env) {
    QStringList out;
    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"}) {
        const QDir dir(underHome(env, QString::fromLatin1(games)));
        for (const QString& name :
             dir.entryList({QStringLiteral("*.yml")}, QDir::Files, QDir::Name)) {
            const QString prefix = lutrisGamePrefix(contentsOf(dir.filePath(name)));
            if (!prefix.isEmpty()) out << expandHome(env, prefix);
        }
    }
    return out;
}

QStringList steamPrefixes(const WineEnvironment& env) {
    QStringList libraries;
    for (const char* root : {".steam/steam", ".local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        const QString steam = underHome(env, QString::fromLatin1(root));
        if (!QFileInfo(steam).isDir()) continue;
        // The first library is Steam's own folder, which the older list leaves out.
        libraries << steam;
        libraries << steamLibraryFolders(
            contentsOf(joinPath(steam, QStringLiteral("steamapps/libraryfolders.vdf"))));
    }
    QStringList out;
    for (const QString& library : libraries)
        for (const QString& game :
             subFolders(joinPath(library, QStringLiteral("steamapps/compatdata"))))
            out << joinPath(game, QStringLiteral("pfx"));
    return out;
}
}  // namespace

WineEnvironment WineEnvironment::fromProcess() {
    return WineEnvironment{QDir::homePath(), qEnvironmentVariable("WINEPREFIX")};
}

WineEnvironment wineEnvironment() {
    return overridden() ? *overridden() : WineEnvironment::fromProcess();
}

std::optional<WineEnvironment> setWineEnvironment(
    const std::optional<WineEnvironment>& environment) {
    return std::exchange(overridden(), environment);
}

QStringList findWinePrefixes(const WineEnvironment& env) {
    QStringList candidates;
    if (!env.winePrefix.isEmpty()) candidates << expandHome(env, env.winePrefix);
    if (!env.home.isEmpty()) {
        candidates << underHome(env, QStringLiteral(".wine"));
        candidates << lutrisPrefixes(env);
        candidates << subFolders(underHome(env, QStringLiteral(".local/share/bottles/bottles")));
        candidates << subFolders(
            underHome(env, QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles")));
        candidates << subFolders(underHome(env, QStringLiteral(".PlayOnLinux/wineprefix")));
        candidates << steamPrefixes(env);
    }
    // The same prefix reached twice (~/.steam/steam is usually a link to another root) is
    // listed once, where it comes first.
    QStringList prefixes, seen;
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (!info.isAbsolute() || !info.isDir()) continue;
        const QString real = info.canonicalFilePath();
        if (seen.contains(real)) continue;
        seen << real;
        prefixes << QDir::cleanPath(candidate);
    }
    return prefixes;
}

}  // namespace pw::model
