#include "core/location/WinePrefixes.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <mutex>
#include <utility>
#include <vector>

#include "core/bytes/FileStamp.h"
#include "core/bytes/ForeignFile.h"
#include "core/bytes/GamePaths.h"
#ifndef Q_OS_WIN
#include "core/location/LutrisGameFile.h"
#endif
#include "core/location/SteamLibraryFolders.h"

namespace pw::model {

namespace {
std::optional<WineEnvironment>& overridden() {
    static std::optional<WineEnvironment> environment;
    return environment;
}

// Everything a search looked at, with its stamp when it looked: while every stamp is the same,
// the search would find the same prefixes.
class Trail {
public:
    void look(const QString& path) { seen_.emplace_back(path, fileStampOf(path)); }
    bool unchanged() const {
        for (const auto& [path, stamp] : seen_)
            if (fileStampOf(path) != stamp) return false;
        return true;
    }
    bool settled(qint64 nowMs) const {
        for (const auto& seen : seen_)
            if (!stampSettled(seen.second, nowMs)) return false;
        return true;
    }

private:
    std::vector<std::pair<QString, FileStamp>> seen_;
};

QByteArray contentsOf(Trail& trail, const QString& path) {
    trail.look(path);
    return readForeignFile(path, kMaxListFileBytes).value_or(QByteArray());
}

// The sub-folders of folder, in name order.
QStringList subFolders(Trail& trail, const QString& folder) {
    trail.look(folder);
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

// The user's data folders where programs keep what they install: XDG_DATA_HOME when it is set
// (and absolute), then ~/.local/share, where they were kept before it was set.
QStringList dataFolders(const WineEnvironment& env) {
    QStringList out;
    if (QDir::isAbsolutePath(env.dataHome)) out << QDir::cleanPath(env.dataHome);
    const QString standard = underHome(env, QStringLiteral(".local/share"));
    if (!out.contains(standard)) out << standard;
    return out;
}

QStringList lutrisPrefixes(Trail& trail, const WineEnvironment& env) {
#ifdef Q_OS_WIN
    // Lutris is a Linux program; the Windows build reads no Lutris files (nor links a YAML reader).
    Q_UNUSED(trail);
    Q_UNUSED(env);
    return {};
#else
    QStringList folders = {underHome(env, QStringLiteral(".config/lutris/games"))};
    for (const QString& data : dataFolders(env))
        folders << joinPath(data, QStringLiteral("lutris/games"));
    folders << underHome(env, QStringLiteral(".var/app/net.lutris.Lutris/data/lutris/games"));
    QStringList out;
    for (const QString& games : folders) {
        trail.look(games);
        const QDir dir(games);
        for (const QString& name :
             dir.entryList({QStringLiteral("*.yml")}, QDir::Files, QDir::Name)) {
            const QString prefix = lutrisGamePrefix(contentsOf(trail, dir.filePath(name)));
            if (!prefix.isEmpty()) out << expandHome(env, prefix);
        }
    }
    return out;
#endif
}

QStringList bottles(Trail& trail, const WineEnvironment& env) {
    QStringList out;
    for (const QString& data : dataFolders(env))
        out << subFolders(trail, joinPath(data, QStringLiteral("bottles/bottles")));
    out << subFolders(
        trail,
        underHome(env, QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles")));
    return out;
}

QStringList steamPrefixes(Trail& trail, const WineEnvironment& env) {
    QStringList libraries;
    for (const char* root : {".steam/steam", ".local/share/Steam",
                             ".var/app/com.valvesoftware.Steam/.local/share/Steam"}) {
        const QString steam = underHome(env, QString::fromLatin1(root));
        trail.look(steam);
        if (!QFileInfo(steam).isDir()) continue;
        // The first library is Steam's own folder, which the older list leaves out.
        libraries << steam;
        libraries << steamLibraryFolders(
            contentsOf(trail, joinPath(steam, QStringLiteral("steamapps/libraryfolders.vdf"))));
    }
    QStringList out;
    for (const QString& library : libraries)
        for (const QString& game :
             subFolders(trail, joinPath(library, QStringLiteral("steamapps/compatdata"))))
            out << joinPath(game, QStringLiteral("pfx"));
    return out;
}

QStringList searchWinePrefixes(const WineEnvironment& env, Trail& trail) {
    QStringList candidates;
    if (!env.winePrefix.isEmpty()) candidates << expandHome(env, env.winePrefix);
    if (!env.home.isEmpty()) {
        candidates << underHome(env, QStringLiteral(".wine"));
        candidates << lutrisPrefixes(trail, env);
        candidates << bottles(trail, env);
        candidates << subFolders(trail, underHome(env, QStringLiteral(".PlayOnLinux/wineprefix")));
        candidates << steamPrefixes(trail, env);
    }
    // The same prefix reached twice (~/.steam/steam is usually a link to another root) is
    // listed once, where it comes first.
    QStringList prefixes, seen;
    for (const QString& candidate : candidates) {
        trail.look(candidate);
        const QFileInfo info(candidate);
        if (!info.isAbsolute() || !info.isDir()) continue;
        const QString real = info.canonicalFilePath();
        if (seen.contains(real)) continue;
        seen << real;
        prefixes << QDir::cleanPath(candidate);
    }
    return prefixes;
}

struct KnownSearch {
    std::mutex mutex;
    std::optional<WineEnvironment> environment;  // none: nothing known
    Trail trail;
    QStringList prefixes;
    int searches = 0;
};

KnownSearch& known() {
    static KnownSearch search;
    return search;
}
}  // namespace

WineEnvironment WineEnvironment::fromProcess() {
    return WineEnvironment{QDir::homePath(), qEnvironmentVariable("WINEPREFIX"),
                           qEnvironmentVariable("XDG_DATA_HOME")};
}

WineEnvironment wineEnvironment() {
    return overridden() ? *overridden() : WineEnvironment::fromProcess();
}

std::optional<WineEnvironment> setWineEnvironment(
    const std::optional<WineEnvironment>& environment) {
    return std::exchange(overridden(), environment);
}

QStringList findWinePrefixes(const WineEnvironment& env) {
    Trail trail;
    return searchWinePrefixes(env, trail);
}

QStringList knownWinePrefixes(const WineEnvironment& env) {
    KnownSearch& search = known();
    const std::lock_guard<std::mutex> lock(search.mutex);
    if (search.environment == env && search.trail.unchanged()) return search.prefixes;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    Trail trail;
    QStringList prefixes = searchWinePrefixes(env, trail);
    ++search.searches;
    // What changed moments ago may change again without changing its stamp: keep the answer
    // only once everything it rests on has settled.
    if (trail.settled(now)) {
        search.environment = env;
        search.trail = std::move(trail);
        search.prefixes = prefixes;
    } else {
        search.environment.reset();
    }
    return prefixes;
}

void searchWinePrefixesAgain() {
    KnownSearch& search = known();
    const std::lock_guard<std::mutex> lock(search.mutex);
    search.environment.reset();
}

int winePrefixSearchCount() {
    KnownSearch& search = known();
    const std::lock_guard<std::mutex> lock(search.mutex);
    return search.searches;
}

}  // namespace pw::model
